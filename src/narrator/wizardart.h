#pragma once

#include "narrator/pose.h"

#include <QImage>
#include <QPointF>
#include <QSize>

#include <array>

namespace narrator {

/// Merlin's artwork, cut into the parts that move and drawn in any pose at any height.
class WizardArt
{
public:
    /// Loads the artwork built into the program.
    WizardArt();

    /// Draws the wizard `pixels` high from now on; the width follows the artwork's proportions.
    void setHeight(int pixels, qreal devicePixelRatio);
    int height() const { return m_height; }
    /// The size of a picture, in logical pixels.
    QSize size() const;
    /// The wizard in `pose`, on a transparent ground.
    QImage render(const Pose &pose) const;

private:
    enum Part
    {
        Body,
        ArmLeft,
        ArmRight,
        Wand,
        Hand,
        Beard,
        Mouth,
        MouthOpen,
        Eyes,
        EyesClosed,
        PartCount
    };

    void drawSparkles(QPainter &painter, const Pose &pose, const QTransform &wandOnCanvas) const;

    QByteArray m_svg;
    std::array<QImage, PartCount> m_parts;
    int m_height = 0;
    qreal m_devicePixelRatio = 1;
};

} // namespace narrator
