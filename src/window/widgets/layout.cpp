#include "window/widgets/layout.h"

#include <cmath>

namespace window {

QRect TwipsRect::toPixels() const
{
    return QRect(left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel, height / twipsPerPixel);
}

QFont DesignFont::toQFont() const
{
    // The rectangles are pixels at 96 dpi, so the fonts are too: sized in points they would
    // outgrow their controls on a display that reports another dpi.
    constexpr double designDpi = 96;
    constexpr double pointsPerInch = 72;
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(int(std::lround(points * designDpi / pointsPerInch)));
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

void registerFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("Roboto Black")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans")});
}

} // namespace window
