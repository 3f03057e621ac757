#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace records::store {

/// Why `utf8Name` cannot be a champion's name, in Italian, to follow "Nome non valido: "; nothing when it can. A name
/// is one printable line of UTF-8 of at most longestLine characters, not blank, with no direction control, no
/// invisible, private-use or non-character, and no pile of combining marks. It depends on no locale.
std::optional<std::string> nameProblem(std::string_view utf8Name);

} // namespace records::store
