#include "narrator/placement.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>

namespace narrator {

void placeWindowsThroughXWayland()
{
    // A platform chosen by the user wins, and an X11 session or none needs no choice.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    // Qt tries the list in order: XWayland first, Wayland itself where the X display refuses.
    qputenv("QT_QPA_PLATFORM",
            qEnvironmentVariableIsEmpty("DISPLAY") ? QByteArrayLiteral("wayland") : QByteArrayLiteral("xcb;wayland"));
}

bool wizardPlacesOwnWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace narrator
