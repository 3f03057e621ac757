#include "window/layout.h"

namespace window {

QRect TwipsRect::toPixels() const
{
    return QRect(left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel, height / twipsPerPixel);
}

} // namespace window
