#pragma once

#include <QString>

/// The record files: the best score and the champion's name, one line each, kept between runs. Installed for the
/// whole computer they live in its shared games directory and are written only through the set-group-id record
/// helper; otherwise in the per-user data directory. Every failure throws a std::runtime_error naming the path.
namespace records {

// Appended to GetSystemDir(), which already ends in a separator: the doubled separator is harmless.
inline const QString bestScoreFileName = QStringLiteral("/azerbilox.txt");
inline const QString championFileName = QStringLiteral("/nzerbilox.txt");

/// The directory of the record files, ending in one '/': the computer's shared games directory when it exists and
/// the record helper is installed beside the game; otherwise the per-user data directory, created when missing.
QString GetSystemDir();

/// The start of a file as text, line ends included: at most a record line's worth of bytes, whatever the file
/// holds. An empty file gives the empty text; anything but a regular file (or a link to one) is an error.
QString Leggifiletxt(const QString &nomefile);

/// Completes or undoes a save that was cut short in `windowsDir`, then creates the missing record files empty.
void prepareRecordFiles(const QString &windowsDir);

/// Replaces the record in `windowsDir` with `score` and `name` when `score` still beats the score stored there now
/// (another game may have saved since this one started); returns whether it did. The pair on disk is always the
/// old one or the new one, whatever happens during the save.
bool saveRecord(const QString &windowsDir, const QString &score, const QString &name);

} // namespace records
