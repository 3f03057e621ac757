#include "window/widgets/drawingsurface.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace window {

DrawingSurface::DrawingSurface(QSize clientSize, QWidget *parent) : QWidget(parent)
{
    setFixedSize(clientSize);
    setAutoFillBackground(true);
    m_verticalUnits = clientSize.height();
}

void DrawingSurface::setPicture(const QIcon &picture, const QRect &place)
{
    m_picture = picture;
    m_picturePlace = place;
    update(place);
}

void DrawingSurface::setVerticalScale(double units)
{
    m_verticalUnits = units;
}

void DrawingSurface::stripe(QPointF from, QPointF to, const QColor &colour)
{
    // The drawing covers the whole client area, megabytes: it is made for the first stripe.
    if (m_drawing.isNull()) {
        const qreal ratio = devicePixelRatioF();
        m_drawing = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        m_drawing.setDevicePixelRatio(ratio);
        m_drawing.fill(Qt::transparent);
    }
    const qreal ratio = m_drawing.devicePixelRatio();
    const double rowsPerUnit = m_drawing.height() / m_verticalUnits;
    // Whole device rows, rounded the same way at both edges, so neighbouring bands meet exactly.
    const int top = int(std::lround(std::min(from.y(), to.y()) * rowsPerUnit));
    const int bottom = int(std::lround(std::max(from.y(), to.y()) * rowsPerUnit));
    const int left = std::max(0, int(std::lround(std::min(from.x(), to.x()) * ratio)));
    const int right = std::min(m_drawing.width(), int(std::lround(std::max(from.x(), to.x()) * ratio)));
    if (bottom <= top || right <= left)
        return;
    // Paint in device pixels: with its ratio set, the painter would scale the rectangle again.
    m_drawing.setDevicePixelRatio(1);
    QPainter painter(&m_drawing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(left, top, right - left, bottom - top), colour);
    painter.end();
    m_drawing.setDevicePixelRatio(ratio);
    update(QRectF(left / ratio, top / ratio, (right - left) / ratio, (bottom - top) / ratio).toAlignedRect());
}

void DrawingSurface::clearDrawing()
{
    m_drawing.fill(Qt::transparent);
    update();
}

void DrawingSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    m_picture.paint(&painter, m_picturePlace);
    painter.drawImage(event->rect(), m_drawing,
                      QRectF(event->rect().topLeft() * m_drawing.devicePixelRatio(),
                             event->rect().size() * m_drawing.devicePixelRatio()));
}

} // namespace window
