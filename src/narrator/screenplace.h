#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

class QWidget;

namespace narrator {

/// The wizard and his balloon are windows of their own where the program may place its windows, and
/// children of the game window's client area where it may not (Wayland). Their places are reckoned in
/// screen coordinates either way; these read and set them.

/// The flags of a window of the wizard's own: no frame, on top, never the keyboard focus.
constexpr Qt::WindowFlags ownWindowFlags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

/// Where `widget` lies on the screen: a window with its frame, a child where its parent shows it.
QRect screenRect(const QWidget *widget);
/// Moves `widget` so that its top-left corner lies at `topLeft` on the screen.
void moveOnScreen(QWidget *widget, const QPoint &topLeft);
/// Where `widget` may stand near `point`: a window on the screen's free part there, a child inside its parent.
/// Invalid when there is no screen.
QRect roomFor(const QWidget *widget, const QPoint &point);

} // namespace narrator
