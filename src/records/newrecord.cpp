#include "records/newrecord.h"

#include "records/store/storedscore.h"

namespace records {

bool isNewRecord(const QString &storedText, qint16 score)
{
    // Only ASCII can make up a number, and the locale's encoding keeps ASCII as it is.
    const QByteArray bytes = storedText.toLocal8Bit();
    return score > store::storedScore(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace records
