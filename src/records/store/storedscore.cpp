#include "records/store/storedscore.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace records::store {
namespace {

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads characters of a number, skipping blanks, tabs and line feeds wherever they stand.
class NumberReader
{
public:
    explicit NumberReader(std::string_view text) : m_text(text) {}

    char peek()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    bool take(char wanted)
    {
        if (peek() != wanted)
            return false;
        ++m_pos;
        return true;
    }
    /// Appends the digits that follow to `out`; returns how many there were.
    std::size_t takeDigits(std::string &out)
    {
        std::size_t count = 0;
        while (isDigit(peek())) {
            out.push_back(m_text[m_pos++]);
            ++count;
        }
        return count;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// The game runs in the user's locale, whose decimal separator may be a comma: read in the C locale's terms.
double toDouble(const std::string &number)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

} // namespace

double storedScore(std::string_view text)
{
    NumberReader reader(text);
    std::string number;
    if (reader.take('-'))
        number.push_back('-');
    else
        reader.take('+');
    std::size_t digits = reader.takeDigits(number);
    if (reader.take('.')) {
        number.push_back('.');
        digits += reader.takeDigits(number);
    }
    if (digits == 0)
        return 0;
    if (reader.take('e') || reader.take('E')) {
        // An exponent without digits is no exponent: "3e" reads as 3.
        std::string exponent = "e";
        if (reader.take('-'))
            exponent.push_back('-');
        else
            reader.take('+');
        if (reader.takeDigits(exponent) > 0)
            number += exponent;
    }
    // Too large gives infinity and too small 0, which is what such a stored score means.
    return toDouble(number);
}

} // namespace records::store
