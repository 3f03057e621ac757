#include "records/recordfiles.h"

#include "records/helperclient.h"
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

const std::string readingFailed = "Impossibile leggere il record in";

QString shown(std::string_view head)
{
    const std::string line = store::recordLine(head);
    return QString::fromLocal8Bit(line.data(), qsizetype(line.size()));
}

StoredRecord recordOf(std::string_view bestScoreHead, std::string_view championHead)
{
    return {shown(bestScoreHead), shown(championHead), store::storedScoreOf(bestScoreHead)};
}

// The per-user directory is the user's own: a link there is the user's choice, and is followed.
std::string directoryOf(const QString &recordDirectory)
{
    return local8Bit(QDir::cleanPath(recordDirectory));
}

// The helper's answer to readRequest: the two lengths on one line, then the bytes.
StoredRecord sharedRecord()
{
    const QByteArray answer = runRecordHelper(QString::fromLatin1(store::readRequest), {}, readingFailed).output;
    const qsizetype lineEnd = answer.indexOf('\n');
    const QList<QByteArray> lengths = answer.left(lineEnd).split(' ');
    bool scoreOk = false;
    bool nameOk = false;
    const qsizetype scoreLength = lengths.value(0).toLongLong(&scoreOk);
    const qsizetype nameLength = lengths.value(1).toLongLong(&nameOk);
    if (lineEnd < 0 || lengths.size() != 2 || !scoreOk || !nameOk || scoreLength < 0 || nameLength < 0 ||
        answer.size() != lineEnd + 1 + scoreLength + nameLength) {
        store::fail(readingFailed, local8Bit(sharedDirectory()),
                    local8Bit(recordHelperProgram() + QStringLiteral(" ha dato una risposta non valida")));
    }
    const std::string_view bytes(answer.constData() + lineEnd + 1, std::size_t(scoreLength + nameLength));
    return recordOf(bytes.substr(0, std::size_t(scoreLength)), bytes.substr(std::size_t(scoreLength)));
}

} // namespace

QString recordDirectory()
{
    if (sharedRecordInstalled())
        return sharedDirectory() + u'/';
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
    if (isShared(recordDirectory))
        return sharedRecord();
    const store::Directory directory(directoryOf(recordDirectory), store::Links::Follow);
    store::prepare(directory);
    return recordOf(store::readHead(directory, store::bestScoreFile), store::readHead(directory, store::championFile));
}

bool saveRecord(const QString &recordDirectory, qint16 score, const QString &name)
{
    if (isShared(recordDirectory)) {
        return runRecordHelper(QString::number(score), name.toLocal8Bit(), "Impossibile salvare il record in").status ==
               store::Done;
    }
    const store::Directory directory(directoryOf(recordDirectory), store::Links::Follow);
    return store::saveIfBeaten(directory, score, local8Bit(name));
}

} // namespace records
