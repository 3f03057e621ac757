#include "window/designlabel.h"

#include "window/layout.h"

#include <QPainter>

namespace window {

DesignLabel::DesignLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent)
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
    QLabel::setText(caption);
    fitCaption();
}

void DesignLabel::fitCaption()
{
    if (m_sizedToFit && window()->isVisible())
        resize(sizeHint());
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
