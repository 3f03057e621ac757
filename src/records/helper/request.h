#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace records::helper {

/// Digits only, no leading zero, 0 to highestScore: the score, or nothing.
std::optional<int> readScore(std::string_view text);

/// Why `name` cannot be a champion's name (at most longestLine characters, one line, no control character, valid
/// in the locale's encoding), or nothing when it can.
std::optional<std::string> nameProblem(std::string_view name);

} // namespace records::helper
