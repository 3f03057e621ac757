#pragma once

namespace narrator {

/// The wizard places his own window on the screen, which a Wayland session does not let a
/// program do; there the program runs through XWayland instead. Call before the application exists.
void placeWindowsThroughXWayland();

} // namespace narrator
