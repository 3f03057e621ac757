#include "narrator/wizardart.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <cmath>
#include <numbers>
#include <stdexcept>

// Resources of a static library must be registered by hand, outside any namespace.
static void registerArtwork()
{
    Q_INIT_RESOURCE(merlin);
}

namespace narrator {

namespace {

// The artwork's canvas and the points its parts turn about, in its own units.
constexpr QSizeF canvas(220, 300);
constexpr QPointF feet(110, 290);
constexpr QPointF leftShoulder(92, 158);
constexpr QPointF rightShoulder(128, 158);
constexpr QPointF wandHand(153, 236);
constexpr QPointF wandTip(188, 190);
constexpr double deepestBow = 0.14;

constexpr std::array partIds = {"body",  "armLeft", "armRight",  "wand", "hand",
                                "beard", "mouth",   "mouthOpen", "eyes", "eyesClosed"};

QTransform turnedAbout(QPointF pivot, double degrees)
{
    return QTransform::fromTranslate(-pivot.x(), -pivot.y()) * QTransform().rotate(degrees) *
           QTransform::fromTranslate(pivot.x(), pivot.y());
}

/// The artwork with every part but `shown` hidden, so that each part keeps its place on the canvas.
QByteArray onlyPart(const QByteArray &svg, const char *shown)
{
    QByteArray result = svg;
    for (const char *id : partIds) {
        if (qstrcmp(id, shown) != 0)
            result.replace("<g id=\"" + QByteArray(id) + "\">", "<g id=\"" + QByteArray(id) + "\" display=\"none\">");
    }
    return result;
}

void drawStar(QPainter &painter, QPointF centre, double radius, const QColor &colour)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? radius : radius * 0.45;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF point = centre + QPointF(r * std::cos(angle), r * std::sin(angle));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    painter.setPen(QPen(colour.darker(140), 0.8));
    painter.setBrush(colour);
    painter.drawPath(star);
}

} // namespace

WizardArt::WizardArt()
{
    registerArtwork();
    QFile file(QStringLiteral(":/narrator/merlin.svg"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("The wizard's artwork is missing from the program");
    m_svg = file.readAll();
}

void WizardArt::setHeight(int pixels, qreal devicePixelRatio)
{
    if (pixels == m_height && devicePixelRatio == m_devicePixelRatio)
        return;
    m_height = pixels;
    m_devicePixelRatio = devicePixelRatio;
    const QSize device = (QSizeF(size()) * devicePixelRatio).toSize();
    for (int part = 0; part < PartCount; ++part) {
        QSvgRenderer renderer(onlyPart(m_svg, partIds[part]));
        QImage image(device, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), device));
        m_parts[part] = image;
    }
}

QSize WizardArt::size() const
{
    return QSize(qRound(m_height * canvas.width() / canvas.height()), m_height);
}

QImage WizardArt::render(const Pose &pose) const
{
    QImage frame((QSizeF(size()) * m_devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(m_devicePixelRatio);
    frame.fill(Qt::transparent);
    if (m_height <= 0)
        return frame;

    QPainter painter(&frame);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QTransform toPixels = QTransform::fromScale(m_height / canvas.height(), m_height / canvas.height());
    // The whole figure grows, bows and rises about its feet.
    const QTransform figure = QTransform::fromTranslate(-feet.x(), -feet.y()) *
                              QTransform::fromScale(pose.scale, pose.scale * (1 - deepestBow * pose.bow)) *
                              QTransform::fromTranslate(feet.x(), feet.y() - pose.lift);
    const QRectF whole(QPointF(0, 0), canvas);
    auto draw = [&](Part part, const QTransform &placed) {
        painter.setTransform(placed * figure * toPixels);
        painter.drawImage(whole, m_parts[part]);
    };

    const QTransform leftArm = turnedAbout(leftShoulder, pose.leftArm);
    const QTransform rightArm = turnedAbout(rightShoulder, -pose.rightArm);
    const QTransform wand = turnedAbout(wandHand, -pose.wand) * rightArm;
    draw(Body, {});
    draw(ArmLeft, leftArm);
    draw(ArmRight, rightArm);
    draw(Wand, wand);
    draw(Hand, rightArm);
    draw(Beard, {});
    draw(pose.mouthOpen ? MouthOpen : Mouth, {});
    draw(pose.eyesClosed ? EyesClosed : Eyes, {});

    painter.setTransform(toPixels);
    drawSparkles(painter, pose, wand * figure);
    return frame;
}

void WizardArt::drawSparkles(QPainter &painter, const Pose &pose, const QTransform &wandOnCanvas) const
{
    const double phase = pose.sparklePhase;
    const double fade = std::sin(std::numbers::pi * phase);
    switch (pose.sparkles) {
    case Sparkles::None:
        return;
    case Sparkles::Around:
        // A turning ring of golden stars.
        for (int i = 0; i < 8; ++i) {
            const double angle = 2 * std::numbers::pi * (i / 8.0 + phase * 0.6);
            const QPointF at(110 + 88 * std::cos(angle), 165 + 118 * std::sin(angle));
            drawStar(painter, at, (5 + 3 * ((i + int(phase * 12)) % 2)) * fade, QColor(0xff, 0xd8, 0x4a));
        }
        return;
    case Sparkles::FromWand: {
        // A trail that streams back from the tip and fades.
        const QPointF tip = wandOnCanvas.map(wandTip);
        for (int i = 0; i < 6; ++i) {
            const double drift = i * 9.0;
            const QPointF at =
                tip + QPointF(-drift * std::cos(phase * 9 + i), drift * 0.8 + 4 * std::sin(phase * 7 + i));
            const QColor colour = i % 2 == 0 ? QColor(0xff, 0xf2, 0x9a) : QColor(0x9a, 0xe6, 0xff);
            drawStar(painter, at, (7 - i) * fade, colour);
        }
        return;
    }
    case Sparkles::Rising:
        // Pink and blue stars float up beside the hat.
        for (int i = 0; i < 6; ++i) {
            const double side = i % 2 == 0 ? -1 : 1;
            const double rise = std::fmod(phase * 140 + i * 23, 110);
            const QPointF at(110 + side * (58 + 6 * (i % 3)), 120 - rise);
            const QColor colour = i % 3 == 0 ? QColor(0xff, 0x8a, 0xd0) : QColor(0x8a, 0xd8, 0xff);
            drawStar(painter, at, 6 * fade, colour);
        }
        return;
    }
}

} // namespace narrator
