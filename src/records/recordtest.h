#pragma once

#include <QString>

namespace records {

/// The number at the start of a stored record's text: blanks, tabs and line feeds are skipped
/// anywhere, then an optional sign, digits, a decimal point and an exponent are read up to the
/// first character that cannot continue the number. No number gives 0; one too large for a
/// double gives infinity.
double storedScore(const QString &text);

/// True when `newScore` (a game's count of correct answers, in digits) is strictly greater than
/// the score stored in `storedText`. Throws std::invalid_argument when `newScore` is no number.
bool isNewRecord(const QString &storedText, const QString &newScore);

} // namespace records
