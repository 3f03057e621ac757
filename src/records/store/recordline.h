#pragma once

#include <string>
#include <string_view>

namespace records::store {

/// What a record file shows, from the start of its bytes: the first line only, with the line end it has ("\r\n",
/// "\n" or none); before it every control character is a blank, and no more than longestLine characters of UTF-8
/// are kept. A byte that is no UTF-8 stays as it is, as one character.
std::string recordLine(std::string_view head);

/// The stored score the game and the record service both compare with: the number at the start of the record line.
double storedScoreOf(std::string_view head);

} // namespace records::store
