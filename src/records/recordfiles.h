#pragma once

#include <QString>

/// The record files: the best score and the champion's name, one line each, kept between runs
/// in the per-user data directory. Every failure throws a std::runtime_error naming the path.
namespace records {

// Appended to GetSystemDir(), which already ends in a separator: the doubled separator is harmless.
inline const QString bestScoreFileName = QStringLiteral("/azerbilox.txt");
inline const QString championFileName = QStringLiteral("/nzerbilox.txt");

/// The directory of the record files (the per-user data directory, created when missing),
/// ending in one '/'.
QString GetSystemDir();

/// The whole content of a file as text, line ends included; an empty file gives the empty text.
QString Leggifiletxt(const QString &nomefile);

/// Creates `path` empty when it is missing; an existing file keeps its content.
void createIfMissing(const QString &path);

/// Replaces the record in `windowsDir` (as returned by GetSystemDir) with `score` and `name`.
/// Both new files are written completely before either replaces its old one, so a failure
/// leaves the previous record whole.
void saveRecord(const QString &windowsDir, const QString &score, const QString &name);

} // namespace records
