#include "records/store/recordline.h"

#include "records/store/recordconstants.h"
#include "records/store/storedscore.h"

namespace records::store {
namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xc0) == 0x80;
}

// The bytes of the character at the start of `text`: a whole UTF-8 sequence, or one byte that is none.
std::size_t characterLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xc2 ? 1
                               : lead < 0xe0 ? 2
                               : lead < 0xf0 ? 3
                               : lead < 0xf5 ? 4
                                             : 1;
    if (length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i])))
            return 1;
    }
    return length;
}

// C0, DEL and C1 (U+0080 to U+009F, two bytes in UTF-8).
bool isControl(std::string_view character)
{
    const auto lead = static_cast<unsigned char>(character.front());
    if (character.size() == 1)
        return lead < 0x20 || lead == 0x7f;
    return lead == 0xc2 && static_cast<unsigned char>(character[1]) < 0xa0;
}

} // namespace

std::string recordLine(std::string_view head)
{
    const std::size_t lineFeed = head.find('\n');
    std::string_view line = head.substr(0, lineFeed);
    std::string_view lineEnd = lineFeed == std::string_view::npos ? "" : "\n";
    if (!lineEnd.empty() && line.ends_with('\r')) {
        line.remove_suffix(1);
        lineEnd = "\r\n";
    }
    std::string shown;
    for (std::size_t characters = 0; !line.empty() && characters < longestLine; ++characters) {
        const std::string_view character = line.substr(0, characterLength(line));
        shown += isControl(character) ? std::string_view(" ") : character;
        line.remove_prefix(character.size());
    }
    return shown += lineEnd;
}

double storedScoreOf(std::string_view head)
{
    return storedScore(recordLine(head));
}

} // namespace records::store
