#pragma once

#include <string_view>

namespace records::store {

/// The number at the start of a stored record's bytes: blanks, tabs and line feeds are skipped anywhere, then an
/// optional sign, digits, a decimal point and an exponent are read up to the first byte that cannot continue the
/// number. No number gives 0; one too large for a double gives infinity.
double storedScore(std::string_view text);

} // namespace records::store
