#include "window/widgets/designlabel.h"

#include "window/widgets/layout.h"

#include <QPainter>

namespace window {

DesignLabel::DesignLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent), m_caption(caption)
{
    // Design labels sit at their own place, on top of whatever the window draws beneath them.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
}

void DesignLabel::setSizedToFit(bool on)
{
    m_sizedToFit = on;
    fitCaption();
}

void DesignLabel::setReach(int right)
{
    m_reach = right;
    fitCaption();
}

void DesignLabel::setBorder(bool on)
{
    m_border = on;
    const int margin = on ? 1 : 0;
    setContentsMargins(margin, margin, margin, margin);
    fitCaption();
    update();
}

void DesignLabel::setText(const QString &caption)
{
    m_caption = caption;
    QLabel::setText(caption);
    fitCaption();
}

void DesignLabel::fitCaption()
{
    if (!m_sizedToFit || !window()->isVisible())
        return;
    QLabel::setText(m_caption);
    setAccessibleName(QString());
    const int room = m_reach - x();
    if (m_reach > 0 && sizeHint().width() > room) {
        // The margins and the border take their share: cut the text until the whole label fits.
        for (int width = room; width > 0 && sizeHint().width() > room; width -= fontMetrics().averageCharWidth())
            QLabel::setText(elided(width));
        setAccessibleName(m_caption);
    }
    resize(sizeHint());
}

QString DesignLabel::elided(int width) const
{
    // Each line on its own; a record file's line keeps its carriage return.
    QStringList lines = m_caption.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        const bool carriageReturn = line.endsWith(QLatin1Char('\r'));
        if (carriageReturn)
            line.chop(1);
        line = fontMetrics().elidedText(line, Qt::ElideRight, width);
        if (carriageReturn)
            line.append(QLatin1Char('\r'));
    }
    return lines.join(QLatin1Char('\n'));
}

void DesignLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_border)
        return;
    QPainter painter(this);
    painter.setPen(QPen(systemColour::windowText, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace window
