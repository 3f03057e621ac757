#include "speller/decimal4.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace speller {

Decimal4 Decimal4::fromDouble(double value)
{
    const double units = std::round(value * unitsPerOne);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!std::isfinite(units) || units >= 9223372036854775808.0 || units < -9223372036854775808.0)
        throw std::overflow_error("Overflow");
    return Decimal4(static_cast<qint64>(units));
}

std::optional<Decimal4> Decimal4::fromText(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    try {
        return fromDouble(value);
    } catch (const std::overflow_error &) {
        return std::nullopt;
    }
}

} // namespace speller
