#pragma once

#include <QRect>
#include <QSize>

namespace window {

/// A rectangle in twips, as the window was designed; 15 twips make one pixel at 96 dpi.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    static constexpr int twipsPerPixel = 15;
    QRect toPixels() const;
};

namespace layout {

constexpr TwipsRect clientArea{0, 0, 11775, 8340};

constexpr TwipsRect lblNum1{3840, 0, 345, 1185};
constexpr TwipsRect Label10{5640, 120, 615, 975};
constexpr TwipsRect lblNum2{7560, 0, 345, 1185};
constexpr TwipsRect lblMessage{6360, 2040, 1305, 1275};
constexpr TwipsRect Text3{3120, 5040, 6855, 1125};
constexpr TwipsRect cmdNext{3120, 6360, 1815, 855};

} // namespace layout
} // namespace window
