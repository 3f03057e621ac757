#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPointF>
#include <QWidget>

namespace window {

/// The window's client area. What the game draws here persists as the background image, under
/// every control, until clearDrawing(); the background colour shows wherever nothing is drawn.
class DrawingSurface : public QWidget
{
    Q_OBJECT
public:
    DrawingSurface(QSize clientSize, QWidget *parent);

    /// The window's picture, drawn at `place` under everything else.
    void setPicture(const QIcon &picture, const QRect &place);
    /// Horizontal coordinates are pixels; vertically the client area is `units` high.
    void setVerticalScale(double units);
    /// Fills the band between two corners, (pixels, scaled units), in `colour`.
    void stripe(QPointF from, QPointF to, const QColor &colour);
    /// Erases everything drawn; the background colour shows again.
    void clearDrawing();

    /// What has been drawn, transparent where nothing was (device pixels); null before the first stripe.
    const QImage &drawing() const { return m_drawing; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_drawing;
    QIcon m_picture;
    QRect m_picturePlace;
    double m_verticalUnits = 0;
};

} // namespace window
