#include "records/recordtest.h"

#include "records/storedscore.h"

#include <stdexcept>

namespace records {

double storedScore(const QString &text)
{
    // Only ASCII can make up a number, and the locale's encoding keeps ASCII as it is.
    const QByteArray bytes = text.toLocal8Bit();
    return storedScore(std::string_view(bytes.constData(), std::size_t(bytes.size())));
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
