#include "records/recordfiles.h"

#include "records/local8bit.h"
#include "records/store/recordline.h"
#include "records/store/recordstore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

namespace records {
namespace {

QString shown(std::string_view head)
{
    const std::string line = store::recordLine(head);
    return QString::fromLocal8Bit(line.data(), qsizetype(line.size()));
}

// The per-user directory is the user's own: a link there is the user's choice, and is followed.
std::string directoryOf(const QString &recordDirectory)
{
    return local8Bit(QDir::cleanPath(recordDirectory));
}

} // namespace

StoredRecord recordOf(std::string_view bestScoreHead, std::string_view championHead)
{
    return {shown(bestScoreHead), shown(championHead), store::storedScoreOf(bestScoreHead)};
}

QString recordDirectory()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        throw store::Failure("Impossibile trovare la cartella dei record: nessuna cartella dati per l'utente");
    errno = 0;
    if (!QDir().mkpath(dir)) {
        // QDir gives no reason of its own; the failed mkdir's errno is the most telling one left.
        store::fail("Impossibile creare la cartella dei record", local8Bit(QDir::toNativeSeparators(dir)),
                    errno != 0 ? std::strerror(errno) : "creazione non riuscita");
    }
    return dir + u'/';
}

QString readRecordFile(const QString &path)
{
    const QFileInfo file(QDir::cleanPath(path));
    const store::Directory directory(local8Bit(file.path()), store::Links::Follow);
    return shown(store::readHead(directory, local8Bit(file.fileName())));
}

StoredRecord readRecord(const QString &recordDirectory)
{
    const store::Directory directory(directoryOf(recordDirectory), store::Links::Follow);
    store::prepare(directory);
    return recordOf(store::readHead(directory, store::bestScoreFile), store::readHead(directory, store::championFile));
}

bool saveRecord(const QString &recordDirectory, qint16 score, const QString &name)
{
    const store::Directory directory(directoryOf(recordDirectory), store::Links::Follow);
    return store::saveIfBeaten(directory, score, local8Bit(name));
}

} // namespace records
