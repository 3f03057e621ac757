#include "window/widgets/imagebox.h"

#include <QPainter>

namespace window {

ImageBox::ImageBox(const QIcon &picture, QWidget *parent) : QWidget(parent), m_picture(picture) {}

void ImageBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_picture.paint(&painter, rect());
}

} // namespace window
