#include "window/widgets/picturebutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace window {
namespace {

constexpr int pictureSize = 32;
constexpr int padding = 3;

} // namespace

PictureButton::PictureButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setIconSize(QSize(pictureSize, pictureSize));
}

void PictureButton::setDownPicture(const QIcon &picture)
{
    m_downPicture = picture;
    update();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect area = rect().adjusted(padding, padding, -padding, -padding);
    const int textHeight = fontMetrics().height();
    const int top = area.top() + (area.height() - pictureSize - textHeight) / 2;
    const QRect pictureRect(area.left() + (area.width() - pictureSize) / 2, top, pictureSize, pictureSize);
    const QIcon &picture = isDown() && !m_downPicture.isNull() ? m_downPicture : icon();
    picture.paint(&painter, pictureRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    const QRect textRect(area.left(), pictureRect.bottom() + 1, area.width(), textHeight);
    painter.drawItemText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}

} // namespace window
