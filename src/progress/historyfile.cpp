#include "progress/historyfile.h"

#include "progress/csv.h"
#include "progress/systemerror.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <numeric>
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
constexpr qint64 chunkBytes = 64 * 1024;
// Bounds the reading of a file that is mostly no history at all: far more than a thousand games take.
constexpr qint64 scanBytesAtMost = 64 * 1024 * 1024;
constexpr int lockPollMilliseconds = 10;
// A cell starting with one of these is a formula to a spreadsheet; the apostrophe makes it text.
constexpr QStringView formulaStarts = u"=+-@\t\r";
constexpr QChar textMark = u'\'';

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("Impossibile scrivere lo storico dei progressi in %1: %2").arg(path, reason);
}

QString failure(const QString &path, int error)
{
    return failure(path, reasonFor(error));
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

QString nameCell(const QString &name)
{
    return !name.isEmpty() && (formulaStarts.contains(name.front()) || name.front() == textMark) ? textMark + name
                                                                                                 : name;
}

QString nameOfCell(const QString &cell)
{
    return cell.startsWith(textMark) ? cell.sliced(1) : cell;
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
    return ok && value >= 0 && value <= countAtMost ? std::optional(value) : std::nullopt;
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
    game.name = nameOfCell(fields[1]);
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
    // Every answer is to one fact: facts that add up to more than the game's answers were never played.
    const auto sum = [&game](int Answers::*part) {
        return std::accumulate(game.facts.cbegin(), game.facts.cend(), 0,
                               [part](int total, const Answers &fact) { return total + fact.*part; });
    };
    if (sum(&Answers::right) > game.total.right || sum(&Answers::wrong) > game.total.wrong)
        return std::nullopt;
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

/// The last lines of a file, read backwards from its end.
struct Tail
{
    /// At most the last `limit` whole lines no longer than lineBytesAtMost, oldest first, without line ends.
    QList<QByteArray> lines;
    /// Lines left out: longer than lineBytesAtMost, or cut short at the file's end.
    int skipped = 0;
};

/// Collects a file's lines from its end: each piece comes before the pieces given so far.
class TailCollector
{
public:
    explicit TailCollector(int limit) : m_limit(limit) {}

    bool isFull() const { return int(m_newestFirst.size()) >= m_limit; }

    /// Takes the bytes before those given so far; false once enough lines are collected.
    bool prepend(QByteArrayView bytes)
    {
        for (qsizetype end = bytes.size(); !isFull();) {
            const qsizetype lineEnd = end == 0 ? -1 : bytes.lastIndexOf('\n', end - 1);
            keepBefore(bytes.sliced(lineEnd + 1, end - lineEnd - 1));
            if (lineEnd < 0)
                return true;
            closeLine();
            end = lineEnd;
        }
        return false;
    }

    /// The file's start: the line being collected is whole.
    void closeFirstLine()
    {
        if (!isFull() && (!m_line.isEmpty() || m_overlong))
            closeLine();
    }

    Tail tail() const { return {{m_newestFirst.crbegin(), m_newestFirst.crend()}, m_skipped}; }

private:
    void keepBefore(QByteArrayView bytes)
    {
        // The longest line may still end in a CR.
        if (m_overlong || m_line.size() + bytes.size() > lineBytesAtMost + 1) {
            m_overlong = true;
            m_line.clear();
        } else {
            m_line.prepend(bytes);
        }
    }

    void closeLine()
    {
        // The bytes after the last line end are a line whose writing was cut short.
        if (m_atEnd) {
            m_atEnd = false;
            m_skipped += m_line.isEmpty() && !m_overlong ? 0 : 1;
        } else if (m_overlong) {
            ++m_skipped;
        } else {
            if (m_line.endsWith('\r'))
                m_line.chop(1);
            m_newestFirst += m_line;
        }
        m_line.clear();
        m_overlong = false;
    }

    int m_limit;
    QList<QByteArray> m_newestFirst;
    QByteArray m_line;
    bool m_overlong = false;
    bool m_atEnd = true;
    int m_skipped = 0;
};

/// The file's last `limit` lines, reading back from its end no further than they need.
std::optional<Tail> tailOf(QFile &file, int limit)
{
    TailCollector collector(limit);
    qint64 position = file.size();
    const qint64 stop = std::max<qint64>(0, position - scanBytesAtMost);
    while (position > stop) {
        const qint64 chunk = std::min(chunkBytes, position - stop);
        position -= chunk;
        if (!file.seek(position))
            return std::nullopt;
        const QByteArray bytes = file.read(chunk);
        if (bytes.size() != chunk)
            return std::nullopt;
        if (!collector.prepend(bytes))
            break;
    }
    if (position == 0)
        collector.closeFirstLine();
    return collector.tail();
}

/// Makes the history's folder, the account's own.
bool makeFolder(const QString &folder)
{
    if (!QDir().mkpath(QFileInfo(folder).absolutePath()))
        return false;
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat status
    {};
    if (::stat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    // An older folder may be open to other accounts: its owner closes it.
    if (status.st_uid == geteuid() && (status.st_mode & 077) != 0)
        ::chmod(name.constData(), status.st_mode & 0700);
    return true;
}

/// Takes the lock on `file`, waiting at most `wait` for whoever holds it.
QString lock(const QString &path, QFile &file, std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    while (flock(file.handle(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return failure(path, errno);
        if (deadline.hasExpired())
            return failure(path, QStringLiteral("un altro programma lo tiene occupato"));
        QThread::msleep(std::min<qint64>(lockPollMilliseconds, deadline.remainingTime()));
    }
    return {};
}

/// Opens the history at `path` for appending, its folder and the file made as needed and the account's own, and
/// locks it when `lockWait` is given; the reason when it cannot.
QString openForAppend(const QString &path, QFile &file, struct stat &status,
                      std::optional<std::chrono::milliseconds> lockWait)
{
    if (!makeFolder(QFileInfo(path).absolutePath()))
        return failure(path, QStringLiteral("la cartella non si può creare"));
    // Read as well, to look at its last byte; non-blocking, so that a FIFO in its place is refused below at once.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    if (descriptor < 0)
        return failure(path, errno);
    // The file object only owns the descriptor: everything else is done on it directly, to control each call.
    file.open(descriptor, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle);
    // Two games on one account: the look at the file's end and the write after it must not interleave.
    if (lockWait) {
        if (QString error = lock(path, file, *lockWait); !error.isEmpty())
            return error;
    }
    if (fstat(file.handle(), &status) != 0)
        return failure(path, errno);
    if (!S_ISREG(status.st_mode))
        return failure(path, QStringLiteral("non è un file regolare"));
    // A file made by an older version is readable by every account: the children's results are the family's.
    if ((status.st_mode & 077) != 0 && status.st_uid == geteuid())
        fchmod(file.handle(), status.st_mode & 0600);
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
    QStringList fields{isoWithOffset(game.ended), nameCell(game.name), QString::number(game.total.right),
                       QString::number(game.total.wrong)};
    for (const Answers &fact : game.facts)
        fields << QString::number(fact.right) << QString::number(fact.wrong);
    return csv::line(fields);
}

Outcome<> appendGame(const QString &path, const GameResult &game, std::chrono::milliseconds lockWait)
{
    QFile file;
    struct stat status
    {};
    if (QString error = openForAppend(path, file, status, lockWait); !error.isEmpty())
        return Outcome<>::failure(error);

    // A file left empty by a kill before its first line still gets its header. A last line cut short (a kill or a
    // power cut during an older write) is closed first, so that the new line stands on its own.
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

    // One write: a kill leaves the line whole or absent. A full disk can cut it short: the file is then cut back to
    // what it was, so that no torn line stays.
    const ssize_t written = ::write(file.handle(), bytes.constData(), size_t(bytes.size()));
    if (written != bytes.size()) {
        const int error = written < 0 ? errno : ENOSPC;
        if (written > 0 && ftruncate(file.handle(), status.st_size) != 0)
            return Outcome<>::failure(failure(path, errno));
        return Outcome<>::failure(failure(path, error));
    }
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
    // No lock: another game holding it for a moment is no problem, and the window must open at once.
    if (QString error = openForAppend(path, file, status, std::nullopt); !error.isEmpty())
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
    const QByteArray name = QFile::encodeName(path);
    struct stat status
    {};
    if (::stat(name.constData(), &status) != 0 && errno == ENOENT)
        return history;
    const auto unreadable = [&history, &path](const QString &reason) {
        history.error = QStringLiteral("Impossibile leggere lo storico dei progressi in %1: %2").arg(path, reason);
        return history;
    };
    const int descriptor = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return unreadable(reasonFor(errno));
    QFile file;
    file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    if (fstat(descriptor, &status) != 0)
        return unreadable(reasonFor(errno));
    if (!S_ISREG(status.st_mode))
        return unreadable(QStringLiteral("non è un file regolare"));
    const std::optional<Tail> tail = tailOf(file, limit);
    if (!tail)
        return unreadable(QStringLiteral("errore del disco"));
    history.skippedLines = tail->skipped;
    for (QByteArrayView line : tail->lines) {
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
