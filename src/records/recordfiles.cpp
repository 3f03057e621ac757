#include "records/recordfiles.h"

#include "records/helperclient.h"
#include "records/recordstore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <stdexcept>

namespace records {
namespace {

[[noreturn]] void fail(const QString &what, const QString &path, const QString &reason)
{
    throw std::runtime_error(QStringLiteral("%1 %2: %3")
                                 .arg(what, QDir::toNativeSeparators(QDir::cleanPath(path)), reason)
                                 .toLocal8Bit()
                                 .toStdString());
}

std::string local8Bit(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

// The per-user directory is the user's own: a link there is the user's choice, and is followed.
std::string directoryOf(const QString &windowsDir)
{
    return local8Bit(QDir::cleanPath(windowsDir));
}

} // namespace

QString GetSystemDir()
{
    if (QFileInfo(sharedDirectory()).isDir() && QFileInfo(recordHelperProgram()).isExecutable())
        return sharedDirectory() + u'/';
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        throw std::runtime_error("Impossibile trovare la cartella dei record: nessuna cartella dati per l'utente");
    errno = 0;
    if (!QDir().mkpath(dir)) {
        // QDir gives no reason of its own; the failed mkdir's errno is the most telling one left.
        fail(QStringLiteral("Impossibile creare la cartella dei record"), dir,
             errno != 0 ? qt_error_string(errno) : QStringLiteral("creazione non riuscita"));
    }
    return dir + u'/';
}

QString Leggifiletxt(const QString &nomefile)
{
    const QFileInfo file(QDir::cleanPath(nomefile));
    const recordstore::Directory directory(local8Bit(file.path()), recordstore::Links::Follow);
    const std::string head = recordstore::readHead(directory, local8Bit(file.fileName()));
    return QString::fromLocal8Bit(head.data(), qsizetype(head.size()));
}

void prepareRecordFiles(const QString &windowsDir)
{
    if (isShared(windowsDir))
        runRecordHelper({}, {});
    else
        recordstore::prepare(recordstore::Directory(directoryOf(windowsDir), recordstore::Links::Follow));
}

bool saveRecord(const QString &windowsDir, const QString &score, const QString &name)
{
    if (isShared(windowsDir))
        return runRecordHelper({score}, name.toLocal8Bit()) == RecordHelperAnswer::Written;
    const recordstore::Directory directory(directoryOf(windowsDir), recordstore::Links::Follow);
    return recordstore::saveIfBeaten(directory, score.toDouble(), local8Bit(score), local8Bit(name));
}

} // namespace records
