#pragma once

#include <QString>

namespace records {

/// True when a game's `score` is strictly greater than the stored score that the record line `storedText` shows,
/// read as the record helper reads it (store::storedScore).
bool isNewRecord(const QString &storedText, qint16 score);

} // namespace records
