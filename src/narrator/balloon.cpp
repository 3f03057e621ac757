#include "narrator/balloon.h"

#include "narrator/windowshape.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace narrator {

namespace {

constexpr int balloonWidth = 250;
constexpr int textMargin = 12;
constexpr int tail = 18;
constexpr int radius = 14;
constexpr int maxLines = 6;
const QColor paper(0xff, 0xfb, 0xe8);
const QColor ink(0x4b, 0x32, 0x82);
const QColor writing(0x20, 0x20, 0x30);

} // namespace

Balloon::Balloon(QWidget *parent)
    : QLabel(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setFont(QFont(QStringLiteral("Arial"), 12));
}

void Balloon::open(const QString &whole)
{
    setText(QString());
    const int lines = std::min(textHeight(whole), maxLines * fontMetrics().lineSpacing());
    // Sized once for the whole speech, so that it does not jump as the words come.
    resize(balloonWidth, lines + 2 * textMargin + tail);
    placeBeside(m_wizard);
    if (!isVisible()) {
        show();
        raise();
    }
}

void Balloon::showText(const QString &text)
{
    QString shown = text;
    QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (textHeight(shown) > textArea().height() && words.size() > 1) {
        words.removeFirst();
        shown = QStringLiteral("… ") + words.join(QLatin1Char(' '));
    }
    setText(shown);
}

void Balloon::placeBeside(const QRect &wizard)
{
    m_wizard = wizard;
    // The tail's tip points at the wizard's mouth, the balloon rises beside his hat.
    QPoint topLeft(wizard.left() + wizard.width() * 62 / 100, wizard.top() + wizard.height() * 46 / 100 - height());
    const QScreen *screen = QGuiApplication::screenAt(wizard.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), room.left(), std::max(room.left(), room.right() - balloonWidth + 1)));
        topLeft.setY(std::clamp(topLeft.y(), room.top(), std::max(room.top(), room.bottom() - height() + 1)));
    }
    move(topLeft);
}

QSize Balloon::sizeHint() const
{
    return QSize(balloonWidth, textHeight(text()) + 2 * textMargin + tail);
}

void Balloon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.restore();
    painter.setPen(QPen(ink, 2));
    painter.setBrush(paper);
    painter.drawPath(outline());
    painter.setPen(writing);
    painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text());
}

void Balloon::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    QBitmap shape(size());
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setPen(QPen(Qt::color1, 3));
    painter.setBrush(Qt::color1);
    painter.drawPath(outline());
    painter.end();
    cutToShape(this, shape);
}

QPainterPath Balloon::outline() const
{
    const QRectF body = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5 - tail);
    QPainterPath path;
    path.addRoundedRect(body, radius, radius);
    QPainterPath pointer;
    pointer.moveTo(body.left() + 22, body.bottom() - 2);
    pointer.lineTo(body.left() + 2, body.bottom() + tail);
    pointer.lineTo(body.left() + 44, body.bottom() - 2);
    pointer.closeSubpath();
    return path.united(pointer);
}

QRect Balloon::textArea() const
{
    return rect().adjusted(textMargin, textMargin, -textMargin, -textMargin - tail);
}

int Balloon::textHeight(const QString &text) const
{
    const QRect box(0, 0, balloonWidth - 2 * textMargin, 10000);
    return std::max(fontMetrics().lineSpacing(), fontMetrics().boundingRect(box, Qt::TextWordWrap, text).height());
}

} // namespace narrator
