#include "progress/historyfile.h"

#include "progress/csv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace progress {
namespace {

constexpr int columns = 4 + 2 * factCount;
constexpr char byteOrderMark[] = "\xEF\xBB\xBF";
// Far more than any game's line: it bounds the work when the file's end holds no line ends at all.
constexpr qint64 bytesPerLineAtMost = 1024;
constexpr qint64 chunkBytes = 64 * 1024;

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossibile scrivere lo storico dei progressi in %1: %2").arg(path, reason);
}

QString failure(const QString &path, int error)
{
    return failure(path, QString::fromLocal8Bit(std::strerror(error)));
}

QString isoWithOffset(const QDateTime &time)
{
    const int offset = time.offsetFromUtc();
    return time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) +
           QStringLiteral("%1%2:%3")
               .arg(QLatin1Char(offset < 0 ? '-' : '+'))
               .arg(std::abs(offset) / 3600, 2, 10, QLatin1Char('0'))
               .arg(std::abs(offset) % 3600 / 60, 2, 10, QLatin1Char('0'));
}

bool syncDirectoryOf(const QString &path)
{
    const int directory =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0)
        return false;
    const bool synced = fsync(directory) == 0;
    ::close(directory);
    return synced;
}

std::optional<int> count(const QString &field)
{
    bool ok = false;
    const int value = field.toInt(&ok);
    return ok && value >= 0 ? std::optional(value) : std::nullopt;
}

std::optional<GameResult> gameOf(const QStringList &fields)
{
    // A later version may add columns at the end: those are not ours to read.
    if (fields.size() < columns)
        return std::nullopt;
    GameResult game;
    game.ended = QDateTime::fromString(fields[0], Qt::ISODate);
    if (!game.ended.isValid())
        return std::nullopt;
    game.name = fields[1];
    QList<int> counts;
    for (int column = 2; column < columns; ++column) {
        const std::optional<int> value = count(fields[column]);
        if (!value)
            return std::nullopt;
        counts += *value;
    }
    game.total = {counts[0], counts[1]};
    for (int fact = 0; fact < factCount; ++fact)
        game.facts[fact] = {counts[2 + 2 * fact], counts[3 + 2 * fact]};
    return game;
}

QStringList columnNames()
{
    QStringList names{QStringLiteral("data"), QStringLiteral("nome"), QStringLiteral("giuste"),
                      QStringLiteral("sbagliate")};
    for (int factor = 1; factor <= factCount; ++factor) {
        names += QStringLiteral("7 x %1 giuste").arg(factor);
        names += QStringLiteral("7 x %1 sbagliate").arg(factor);
    }
    return names;
}

/// The end of the file holding its last `limit` lines, or all of it; the bytes before the first line end
/// are dropped when the file goes on before them.
QByteArray tailOf(QFile &file, int limit)
{
    QByteArray tail;
    qint64 position = file.size();
    qsizetype lineEnds = 0;
    while (position > 0 && lineEnds <= limit && tail.size() < limit * bytesPerLineAtMost) {
        const qint64 chunk = std::min(chunkBytes, position);
        position -= chunk;
        if (!file.seek(position))
            return {};
        const QByteArray bytes = file.read(chunk);
        lineEnds += bytes.count('\n');
        tail.prepend(bytes);
    }
    if (position > 0)
        tail.remove(0, tail.indexOf('\n') + 1);
    return tail;
}

/// Opens the history at `path` for appending, locked, its folder and the file made as needed; the reason when it
/// cannot be.
QString openForAppend(const QString &path, QFile &file, struct stat &status)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return failure(path, QStringLiteral("la cartella non si può creare"));
    // Read as well, to look at its last byte; non-blocking, so that a FIFO in its place is refused below at once.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (descriptor < 0)
        return failure(path, errno);
    // The file object only owns the descriptor: everything else is done on it directly, to control each call.
    file.open(descriptor, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle);
    // Two games on one account: the look at the file's end and the write after it must not interleave.
    while (flock(file.handle(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return failure(path, errno);
    }
    if (fstat(file.handle(), &status) != 0)
        return failure(path, errno);
    if (!S_ISREG(status.st_mode))
        return failure(path, QStringLiteral("non è un file regolare"));
    return {};
}

} // namespace

QString historyPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/history.csv");
}

QByteArray historyHeader()
{
    return byteOrderMark + csv::line(columnNames());
}

QByteArray historyLine(const GameResult &game)
{
    QStringList fields{isoWithOffset(game.ended), game.name, QString::number(game.total.right),
                       QString::number(game.total.wrong)};
    for (const Answers &fact : game.facts)
        fields << QString::number(fact.right) << QString::number(fact.wrong);
    return csv::line(fields);
}

Outcome<> appendGame(const QString &path, const GameResult &game)
{
    QFile file;
    struct stat status
    {};
    if (QString error = openForAppend(path, file, status); !error.isEmpty())
        return Outcome<>::failure(error);

    // A file left empty by a kill before its first line still gets its header. A last line cut short (a kill or a
    // full disk during an older write) is closed first, so that the new line stands on its own.
    QByteArray bytes;
    if (status.st_size == 0) {
        bytes = historyHeader();
    } else {
        char last = '\n';
        if (pread(file.handle(), &last, 1, status.st_size - 1) != 1)
            return Outcome<>::failure(failure(path, errno));
        if (last != '\n')
            bytes = "\r\n";
    }
    bytes += historyLine(game);

    // One write: a kill leaves the line whole or absent; only a full disk or a power cut can cut it short.
    const ssize_t written = ::write(file.handle(), bytes.constData(), size_t(bytes.size()));
    if (written < 0)
        return Outcome<>::failure(failure(path, errno));
    if (written != bytes.size())
        return Outcome<>::failure(failure(path, ENOSPC));
    if (fsync(file.handle()) != 0)
        return Outcome<>::failure(failure(path, errno));
    if (status.st_size == 0 && !syncDirectoryOf(path))
        return Outcome<>::failure(failure(path, errno));
    return std::monostate{};
}

Outcome<> checkAppendable(const QString &path)
{
    QFile file;
    struct stat status
    {};
    if (QString error = openForAppend(path, file, status); !error.isEmpty())
        return Outcome<>::failure(error);
    struct statvfs space
    {};
    if (fstatvfs(file.handle(), &space) == 0 && space.f_bavail == 0)
        return Outcome<>::failure(failure(path, ENOSPC));
    return std::monostate{};
}

History readHistory(const QString &path, int limit)
{
    History history;
    const QFileInfo info(path);
    if (!info.exists())
        return history;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        history.error = QStringLiteral("Impossibile leggere lo storico dei progressi in %1: %2")
                            .arg(path, info.isFile() ? file.errorString() : QStringLiteral("non è un file regolare"));
        return history;
    }
    const QByteArray tail = tailOf(file, limit);
    QByteArrayView torn;
    QList<QByteArrayView> lines = csv::lines(tail, &torn);
    if (lines.size() > limit)
        lines = lines.sliced(lines.size() - limit);
    history.skippedLines = torn.isEmpty() ? 0 : 1;
    for (QByteArrayView line : lines) {
        if (line.startsWith(byteOrderMark))
            line = line.sliced(sizeof byteOrderMark - 1);
        const std::optional<QStringList> fields = csv::fields(line);
        const std::optional<GameResult> game = fields ? gameOf(*fields) : std::nullopt;
        if (game)
            history.games += *game;
        else if (!fields || fields->value(0) != columnNames().first())
            ++history.skippedLines;
    }
    return history;
}

} // namespace progress
