#include "narrator/windowshape.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QWidget>

namespace narrator {

void cutToShape(QWidget *window, const QBitmap &shape)
{
    // Other platforms either composite translucent windows themselves or cannot shape them.
    static const bool shaped = QGuiApplication::platformName() == QLatin1String("xcb");
    if (shaped)
        window->setMask(shape);
}

} // namespace narrator
