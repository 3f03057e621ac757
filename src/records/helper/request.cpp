#include "records/helper/request.h"

#include "records/store/recordconstants.h"

#include <cwchar>
#include <cwctype>

namespace records::helper {
namespace {

bool isControl(wchar_t c)
{
    // C0, DEL and C1 by number too: a locale's tables are not trusted to list them all.
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || std::iswcntrl(wint_t(c));
}

} // namespace

std::optional<int> readScore(std::string_view text)
{
    if (text.empty() || text.size() > 5 || (text.front() == '0' && text.size() > 1))
        return std::nullopt;
    int score = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        score = score * 10 + (c - '0');
    }
    if (score > store::highestScore)
        return std::nullopt;
    return score;
}

std::optional<std::string> nameProblem(std::string_view name)
{
    std::mbstate_t state{};
    std::size_t characters = 0;
    while (!name.empty()) {
        wchar_t c = 0;
        const std::size_t length = std::mbrtowc(&c, name.data(), name.size(), &state);
        if (length == std::size_t(-1) || length == std::size_t(-2))
            return "non è un testo valido nella codifica del sistema";
        if (length == 0 || isControl(c)) // 0: a NUL byte
            return "contiene un carattere di controllo o un a capo";
        if (++characters > store::longestLine)
            return "è più lungo di " + std::to_string(store::longestLine) + " caratteri";
        name.remove_prefix(length);
    }
    return std::nullopt;
}

} // namespace records::helper
