#pragma once

class QBitmap;
class QWidget;

namespace narrator {

/// Cuts a translucent window to `shape` where the window system needs it: without a compositor,
/// X11 shows the transparent parts of a window as a black box.
void cutToShape(QWidget *window, const QBitmap &shape);

} // namespace narrator
