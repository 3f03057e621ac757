#pragma once

#include "records/store/recordconstants.h"

#include <QString>

#include <string_view>

/// The record files: the best score and the champion's name, one line each, kept between runs in the per-user data
/// directory (the computer's shared pair is the record service's: see serviceclient.h). Every failure throws a
/// std::runtime_error naming the path.
namespace records {

// Appended to recordDirectory(), which already ends in a separator: the doubled separator is harmless.
inline const QString bestScoreFileName = u'/' + QString::fromLatin1(store::bestScoreFile);
inline const QString championFileName = u'/' + QString::fromLatin1(store::championFile);

/// The directory of the account's own record files, ending in one '/': the per-user data directory, created when
/// missing.
QString recordDirectory();

/// What the record file at `path` shows (see store::recordLine). An empty file gives the empty text; anything but a
/// regular file (or a link to one) is an error.
QString readRecordFile(const QString &path);

/// The record as start-up reads it: what each file shows, and the best score as a number, read once here.
struct StoredRecord
{
    QString bestScoreLine;
    QString championLine;
    /// The number the best-score line starts with (store::storedScoreOf), which a game must beat strictly.
    double bestScore = 0;
};

/// The record as the heads of its two files show it.
StoredRecord recordOf(std::string_view bestScoreHead, std::string_view championHead);

/// Completes or undoes a save that was cut short in `recordDirectory`, creates the missing record files empty and
/// reads both.
StoredRecord readRecord(const QString &recordDirectory);

/// What the record's labels show while the computer's shared record cannot be read: the game plays without it.
inline const StoredRecord unavailableRecord{QStringLiteral("—"), QStringLiteral("(non disponibile)")};

/// Replaces the record in `recordDirectory` with `score` and `name` when `score` still beats the score stored there
/// now (another game may have saved since this one started); returns whether it did. The pair on disk is always the
/// old one or the new one, whatever happens during the save.
bool saveRecord(const QString &recordDirectory, qint16 score, const QString &name);

} // namespace records
