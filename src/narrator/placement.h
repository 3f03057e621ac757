#pragma once

namespace narrator {

/// The wizard places his own window on the screen, which a Wayland session does not let a
/// program do; there the program runs through XWayland instead, and on Wayland itself where
/// XWayland cannot be reached. Call before the application exists.
void placeWindowsThroughXWayland();

/// Whether the platform the application runs on lets the wizard place windows of his own;
/// where it does not (Wayland), he stands inside the game window.
bool wizardPlacesOwnWindows();

} // namespace narrator
