#include "narrator/balloon.h"

#include "narrator/clearspot.h"
#include "narrator/screenplace.h"
#include "narrator/windowshape.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

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

Balloon::Balloon(QWidget *parent, Qt::WindowFlags flags) : QLabel(parent, flags)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setFont(QFont(QStringLiteral("Arial"), 12));
}

void Balloon::open(const QString &whole)
{
    const int lines = std::min(textHeight(whole), maxLines * fontMetrics().lineSpacing());
    // Sized for the whole of it at once, so that it does not jump as the words come.
    resize(balloonWidth, lines + 2 * textMargin);
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
    const QPoint mouth(wizard.left() + wizard.width() * 55 / 100, wizard.top() + wizard.height() * 40 / 100);
    // Wanted to his right, level with his mouth; never over his face and hat, nor over what the game keeps clear.
    const QRect wanted(QPoint(wizard.left() + wizard.width() * 62 / 100, mouth.y() - height() / 2), size());
    QList<QRect> obstacles = m_keepClear ? m_keepClear() : QList<QRect>();
    obstacles.append(QRect(wizard.left() + wizard.width() * 25 / 100, wizard.top(), wizard.width() * 37 / 100,
                           wizard.height() * 60 / 100));
    const QRect spot = nearestClearSpot(wanted, obstacles, roomFor(this, wanted.center()));
    moveOnScreen(this, spot.topLeft());
    const QPoint tip = mouth - spot.topLeft();
    const QPoint tailTip(tip.x() < width() / 2 ? 0 : width() - 1,
                         std::clamp(tip.y(), radius + tail, std::max(radius + tail, height() - radius - tail)));
    if (tailTip != m_tailTip) {
        m_tailTip = tailTip;
        reshape();
        update();
    }
}

QSize Balloon::sizeHint() const
{
    return QSize(balloonWidth, textHeight(text()) + 2 * textMargin);
}

void Balloon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A window of its own starts from nothing; inside a host, the host shows around it.
    if (isWindow()) {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
        painter.restore();
    }
    painter.setPen(QPen(ink, 2));
    painter.setBrush(paper);
    painter.drawPath(outline());
    painter.setPen(writing);
    painter.drawText(textArea(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text());
}

void Balloon::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    reshape();
}

void Balloon::reshape()
{
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
    // The body leaves a strip on the side of the tail, which points from there at the wizard's mouth.
    const bool tailLeft = m_tailTip.x() < width() / 2;
    const QRectF body = QRectF(rect()).adjusted(tailLeft ? tail : 1.5, 1.5, tailLeft ? -1.5 : -tail, -1.5);
    QPainterPath path;
    path.addRoundedRect(body, radius, radius);
    const double edge = tailLeft ? body.left() + 2 : body.right() - 2;
    const double baseY = std::clamp(double(m_tailTip.y()), body.top() + radius + 6, body.bottom() - radius - 6);
    QPainterPath pointer;
    pointer.moveTo(edge, baseY - 8);
    pointer.lineTo(tailLeft ? 1.5 : width() - 1.5, m_tailTip.y());
    pointer.lineTo(edge, baseY + 8);
    pointer.closeSubpath();
    return path.united(pointer);
}

QRect Balloon::textArea() const
{
    const bool tailLeft = m_tailTip.x() < width() / 2;
    return rect().adjusted(textMargin + (tailLeft ? tail : 0), textMargin, -textMargin - (tailLeft ? 0 : tail),
                           -textMargin);
}

int Balloon::textHeight(const QString &text) const
{
    const QRect box(0, 0, balloonWidth - 2 * textMargin - tail, 10000);
    return std::max(fontMetrics().lineSpacing(), fontMetrics().boundingRect(box, Qt::TextWordWrap, text).height());
}

} // namespace narrator
