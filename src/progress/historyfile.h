#pragma once

#include "outcome/outcome.h"
#include "progress/gameresult.h"

#include <QList>
#include <QString>

#include <chrono>

/// The history of ended games: `history.csv` in the per-user data folder, one CSV line per game after a header line
/// naming the columns, so that a spreadsheet opens it as it is.
namespace progress {

/// The most games a reading returns: the last ones in the file.
inline constexpr int readLimit = 1000;

/// A line longer than this is no game of ours: it is skipped unread.
inline constexpr qsizetype lineBytesAtMost = 4096;

/// The highest count a game keeps: its counts are 16-bit.
inline constexpr int countAtMost = 32767;

/// How long an append waits for another game to let go of the file.
inline constexpr std::chrono::milliseconds lockWaitAtMost{1500};

/// The history's path in the per-user data folder (the folder is not created here).
QString historyPath();

/// Appends `game` as one line in one write and flushes it to disk, writing the header first into a new or empty
/// file; the folder and the file are made the account's own. A write cut short is undone. Waits at most `lockWait`
/// for another game holding the file. Fails with the reason, in Italian and naming the file, when the line is not on
/// disk.
Outcome<> appendGame(const QString &path, const GameResult &game, std::chrono::milliseconds lockWait = lockWaitAtMost);

/// Whether a game could be appended now, failing as appendGame() would. Makes the folder and an empty file when they
/// are missing.
Outcome<> checkAppendable(const QString &path);

/// What a reading found.
struct History
{
    /// At most the last `readLimit` games, oldest first.
    QList<GameResult> games;
    /// Lines among those read that are no game: cut short by a kill, damaged by hand, too long, or with counts no
    /// game can have.
    int skippedLines = 0;
    /// Why the file could not be read; empty when it could, or when there is no history yet.
    QString error;
};

/// The last games of the history at `path`, reading no more of the file than they need.
History readHistory(const QString &path, int limit = readLimit);

/// The file's first line, naming the columns: it opens with a byte-order mark, which tells a spreadsheet the file is
/// UTF-8.
QByteArray historyHeader();

/// The line that stands for `game` in the file, its line end included. A name a spreadsheet would take for a formula
/// is written after an apostrophe, which the reading takes off again.
QByteArray historyLine(const GameResult &game);

} // namespace progress
