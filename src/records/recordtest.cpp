#include "records/recordtest.h"

#include <stdexcept>

namespace records {
namespace {

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads characters of a number, skipping blanks, tabs and line feeds wherever they stand.
class NumberReader
{
public:
    explicit NumberReader(const QString &text) : m_text(text) {}

    QChar peek()
    {
        while (m_pos < m_text.size() && isSkipped(m_text.at(m_pos)))
            ++m_pos;
        return m_pos < m_text.size() ? m_text.at(m_pos) : QChar();
    }
    bool take(QChar wanted)
    {
        if (peek() != wanted)
            return false;
        ++m_pos;
        return true;
    }
    /// Appends the digits that follow to `out`; returns how many there were.
    qsizetype takeDigits(QString &out)
    {
        qsizetype count = 0;
        while (isDigit(peek())) {
            out.append(m_text.at(m_pos++));
            ++count;
        }
        return count;
    }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace

double storedScore(const QString &text)
{
    NumberReader reader(text);
    QString number;
    if (reader.take(u'-'))
        number.append(u'-');
    else
        reader.take(u'+');
    qsizetype digits = reader.takeDigits(number);
    if (reader.take(u'.')) {
        number.append(u'.');
        digits += reader.takeDigits(number);
    }
    if (digits == 0)
        return 0;
    if (reader.take(u'e') || reader.take(u'E')) {
        // An exponent without digits is no exponent: "3e" reads as 3.
        QString exponent = QStringLiteral("e");
        if (reader.take(u'-'))
            exponent.append(u'-');
        else
            reader.take(u'+');
        if (reader.takeDigits(exponent) > 0)
            number.append(exponent);
    }
    // The C-locale conversion gives infinity when the number is too large and 0 when too small,
    // which is what such a stored score means.
    return number.toDouble();
}

bool isNewRecord(const QString &storedText, const QString &newScore)
{
    bool ok = false;
    const double score = newScore.toDouble(&ok);
    if (!ok)
        throw std::invalid_argument("Tipo non corrispondente");
    return score > storedScore(storedText);
}

} // namespace records
