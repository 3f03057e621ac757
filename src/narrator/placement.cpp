#include "narrator/placement.h"

#include <QByteArray>
#include <QtGlobal>

namespace narrator {

void placeWindowsThroughXWayland()
{
    // A platform chosen by the user wins; without XWayland (no DISPLAY) there is no choice.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
}

} // namespace narrator
