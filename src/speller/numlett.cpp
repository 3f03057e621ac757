#include "speller/numlett.h"

#include <cmath>
#include <stdexcept>

namespace speller {
namespace {

void fillWordTable(NumberWords &words)
{
    static const NumberWords table = {
        QString(),
        QString(),
        QStringLiteral("uno"),
        QStringLiteral("due"),
        QStringLiteral("tre"),
        QStringLiteral("quattro"),
        QStringLiteral("cinque"),
        QStringLiteral("sei"),
        QStringLiteral("sette"),
        QStringLiteral("otto"),
        QStringLiteral("nove"),
        QStringLiteral("dieci"),
        QStringLiteral("undici"),
        QStringLiteral("dodici"),
        QStringLiteral("tredici"),
        QStringLiteral("quattordici"),
        QStringLiteral("quindici"),
        QStringLiteral("sedici"),
        QStringLiteral("diciassette"),
        QStringLiteral("diciotto"),
        QStringLiteral("diciannove"),
        QStringLiteral("venti"),
        QStringLiteral("trenta"),
        QStringLiteral("quaranta"),
        QStringLiteral("cinquanta"),
        QStringLiteral("sessanta"),
        QStringLiteral("settanta"),
        QStringLiteral("ottanta"),
        QStringLiteral("novanta"),
    };
    // Slot 0 is never written, so it keeps whatever the caller's table holds there.
    for (std::size_t slot = 1; slot < table.size(); ++slot)
        words[slot] = table[slot];
}

// Appends the words of one group value from 1 to 999, without the group's name.
void appendGroup(QString &result, double groupValue, const NumberWords &words)
{
    double y = groupValue;
    if (y > 99) {
        const double hundreds = std::floor(y / 100);
        y -= 100 * hundreds;
        if (hundreds != 1)
            result += words[std::size_t(hundreds) + 1];
        result += QStringLiteral("cento");
    }
    if (y <= 20) {
        result += words[std::size_t(y) + 1];
        return;
    }
    const double tens = std::floor(y / 10);
    result += words[std::size_t(tens) + 19];
    y -= 10 * tens;
    // A tens word drops its final vowel before "uno" and "otto": ventuno, trentotto.
    if (y == 1 || y == 8)
        result.chop(1);
    result += words[std::size_t(y) + 1];
}

void appendGroupName(QString &result, int group, double groupValue)
{
    const bool one = groupValue == 1;
    switch (group) {
    case 1:
        if (one) {
            result.chop(3);
            result += QStringLiteral("mille");
        } else {
            result += QStringLiteral("mila");
        }
        break;
    case 2:
        if (one) {
            result.chop(3);
            result += QStringLiteral("unmilione");
        } else {
            result += QStringLiteral("milioni");
        }
        break;
    case 3:
        // The billions are spelled first, so "uno" is all the result holds.
        result = one ? QStringLiteral("unmiliardo") : result + QStringLiteral("miliardi");
        break;
    default:
        break;
    }
}

} // namespace

QString numlett(Decimal4 &numer, NumberWords &numberWords)
{
    fillWordTable(numberWords);
    if (numer.toDouble() >= double(largestSpellable) + 1)
        throw std::out_of_range("numlett: numbers from 1000000000000 on cannot be written in words");

    QString result;
    for (int group = 3; group >= 0; --group) {
        const double scale = std::pow(1000.0, group);
        const double groupValue = std::floor(numer.toDouble() / scale);
        if (!(groupValue > 0))
            continue;
        appendGroup(result, groupValue, numberWords);
        appendGroupName(result, group, groupValue);
        numer = Decimal4::fromDouble(numer.toDouble() - groupValue * scale);
    }
    return result;
}

QString spellItalian(int number)
{
    // Every int lies within largestSpellable, so the speller never throws here.
    Decimal4 numer = Decimal4::fromUnits(qint64(number) * Decimal4::unitsPerOne);
    NumberWords scratch;
    return numlett(numer, scratch);
}

} // namespace speller
