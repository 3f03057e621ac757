#include "records/store/namerule.h"

#include "records/store/recordconstants.h"

#include <array>
#include <cstdio>

namespace records::store {
namespace {

// The code point at the start of `text`, and how many bytes it takes; nothing when those bytes are no UTF-8 (a
// truncated sequence, an overlong form, a surrogate, or beyond U+10FFFF).
struct Decoded
{
    char32_t codePoint;
    std::size_t length;
};

std::optional<Decoded> decode(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80)
        return Decoded{lead, 1};
    const std::size_t length = lead < 0xc2 ? 0 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : lead < 0xf5 ? 4 : 0;
    if (length == 0 || length > text.size())
        return std::nullopt;
    char32_t codePoint = lead & (0x7f >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xc0) != 0x80)
            return std::nullopt;
        codePoint = codePoint << 6 | (byte & 0x3f);
    }
    constexpr std::array<char32_t, 5> smallestOfLength = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallestOfLength[length] || (codePoint >= 0xd800 && codePoint <= 0xdfff) || codePoint > 0x10ffff)
        return std::nullopt;
    return Decoded{codePoint, length};
}

enum class Kind
{
    Control,
    Direction,
    Invisible,
    Reserved,
    CombiningMark,
    Blank,
    Printable
};

struct Range
{
    char32_t first;
    char32_t last;
    Kind kind;
};

// Sorted, not overlapping.
constexpr Range ranges[] = {
    {0x0000, 0x001f, Kind::Control},       {0x0020, 0x0020, Kind::Blank},         {0x007f, 0x009f, Kind::Control},
    {0x00a0, 0x00a0, Kind::Blank},         {0x00ad, 0x00ad, Kind::Invisible},     {0x0300, 0x034e, Kind::CombiningMark},
    {0x034f, 0x034f, Kind::Invisible},     {0x0350, 0x036f, Kind::CombiningMark}, {0x0483, 0x0489, Kind::CombiningMark},
    {0x061c, 0x061c, Kind::Direction},     {0x115f, 0x1160, Kind::Invisible},     {0x1680, 0x1680, Kind::Blank},
    {0x17b4, 0x17b5, Kind::Invisible},     {0x180b, 0x180f, Kind::Invisible},     {0x1ab0, 0x1aff, Kind::CombiningMark},
    {0x1dc0, 0x1dff, Kind::CombiningMark}, {0x2000, 0x200a, Kind::Blank},         {0x200b, 0x200d, Kind::Invisible},
    {0x200e, 0x200f, Kind::Direction},     {0x2028, 0x2029, Kind::Control},       {0x202a, 0x202e, Kind::Direction},
    {0x202f, 0x202f, Kind::Blank},         {0x205f, 0x205f, Kind::Blank},         {0x2060, 0x2064, Kind::Invisible},
    {0x2066, 0x2069, Kind::Direction},     {0x206a, 0x206f, Kind::Invisible},     {0x20d0, 0x20ff, Kind::CombiningMark},
    {0x3000, 0x3000, Kind::Blank},         {0x3164, 0x3164, Kind::Invisible},     {0xe000, 0xf8ff, Kind::Reserved},
    {0xfdd0, 0xfdef, Kind::Reserved},      {0xfe00, 0xfe0f, Kind::Invisible},     {0xfe20, 0xfe2f, Kind::CombiningMark},
    {0xfeff, 0xfeff, Kind::Invisible},     {0xffa0, 0xffa0, Kind::Invisible},     {0xfff9, 0xfffb, Kind::Invisible},
    {0x1d173, 0x1d17a, Kind::Invisible},   {0xe0000, 0xe0fff, Kind::Invisible},   {0xf0000, 0x10ffff, Kind::Reserved},
};

Kind kindOf(char32_t codePoint)
{
    // The last two code points of every plane are non-characters.
    if ((codePoint & 0xfffe) == 0xfffe)
        return Kind::Reserved;
    for (const Range &range : ranges) {
        if (codePoint < range.first)
            break;
        if (codePoint <= range.last)
            return range.kind;
    }
    return Kind::Printable;
}

std::string named(const char *what, char32_t codePoint)
{
    char number[16];
    std::snprintf(number, sizeof number, " (U+%04X)", static_cast<unsigned>(codePoint));
    return what + std::string(number);
}

// More combining marks in a row than this make a pile that spills over the lines around it.
constexpr int mostMarksInARow = 2;

} // namespace

std::optional<std::string> nameProblem(std::string_view utf8Name)
{
    if (utf8Name.empty())
        return "è vuoto";
    std::size_t characters = 0;
    int marksInARow = 0;
    bool blanksOnly = true;
    for (std::string_view rest = utf8Name; !rest.empty(); ++characters) {
        const std::optional<Decoded> decoded = decode(rest);
        if (!decoded)
            return "non è scritto in UTF-8";
        rest.remove_prefix(decoded->length);
        const Kind kind = kindOf(decoded->codePoint);
        switch (kind) {
        case Kind::Control:
            return named("contiene un carattere di controllo", decoded->codePoint);
        case Kind::Direction:
            return named("contiene un carattere che cambia la direzione del testo", decoded->codePoint);
        case Kind::Invisible:
            return named("contiene un carattere invisibile", decoded->codePoint);
        case Kind::Reserved:
            return named("contiene un carattere riservato", decoded->codePoint);
        case Kind::CombiningMark:
            if (characters == 0)
                return "comincia con un segno diacritico";
            if (++marksInARow > mostMarksInARow)
                return "ha troppi segni diacritici di seguito";
            break;
        case Kind::Blank:
        case Kind::Printable:
            marksInARow = 0;
            break;
        }
        blanksOnly = blanksOnly && kind == Kind::Blank;
    }
    if (characters > longestLine)
        return "è più lungo di " + std::to_string(longestLine) + " caratteri";
    if (blanksOnly)
        return "ha solo spazi";
    return std::nullopt;
}

} // namespace records::store
