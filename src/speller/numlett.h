#pragma once

#include "speller/decimal4.h"

#include <QString>

#include <array>

namespace speller {

/// The speller's word table: units 0..20 at slot value + 1, tens 2..9 at slot digit + 19; slot 0 unused.
using NumberWords = std::array<QString, 29>;

/// Largest value the speller can write out: the billions group holds at most 999.
constexpr qint64 largestSpellable = 999'999'999'999;

/// Writes the whole part of `numer` in Italian words run together ("ventotto", "duemila").
/// Refills `numberWords` first and takes `numer` as its working value: each spelled group is
/// subtracted from it, so a whole number ends at 0 and a fraction stays. Negative values and
/// values below 1 give the empty text; values above largestSpellable throw std::out_of_range.
QString numlett(Decimal4 &numer, NumberWords &numberWords);

/// `number` in Italian words run together, as the narrator says it ("sette", "ventuno"); empty below 1.
QString spellItalian(int number);

} // namespace speller
