#include "window/widgets/shape.h"

#include "window/widgets/layout.h"

#include <QPainter>

namespace window {

Shape::Shape(const QColor &fill, int outlineWidth, QWidget *parent)
    : QWidget(parent), m_fill(fill), m_outlineWidth(outlineWidth)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), systemColour::windowText);
    painter.fillRect(rect().adjusted(m_outlineWidth, m_outlineWidth, -m_outlineWidth, -m_outlineWidth), m_fill);
}

} // namespace window
