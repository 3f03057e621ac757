#pragma once

#include <QString>

#include <optional>

namespace speller {

/// A signed decimal with exactly four fractional digits, held as a 64-bit count of ten-thousandths.
class Decimal4
{
public:
    static constexpr qint64 unitsPerOne = 10000;

    constexpr Decimal4() = default;
    static constexpr Decimal4 fromUnits(qint64 units) { return Decimal4(units); }
    /// Rounds to four fractional digits; throws std::overflow_error outside the 64-bit range.
    static Decimal4 fromDouble(double value);
    /// Reads a decimal number such as "7", "-70" or "7.5"; nullopt when the text is not one.
    static std::optional<Decimal4> fromText(const QString &text);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / unitsPerOne; }
    constexpr bool operator==(const Decimal4 &) const = default;

private:
    constexpr explicit Decimal4(qint64 units) : m_units(units) {}

    qint64 m_units = 0;
};

} // namespace speller
