#include "records/recordfiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
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

const QString savingFailed = QStringLiteral("Impossibile salvare il record in");

// Writes the one line of a record file into its temporary file, without replacing the old file.
void prepare(QSaveFile &file, const QString &value)
{
    const QByteArray line = value.toLocal8Bit() + "\r\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(line) != line.size() || !file.flush())
        fail(savingFailed, file.fileName(), file.errorString());
}

} // namespace

QString GetSystemDir()
{
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
    QFile file(nomefile);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Impossibile leggere"), nomefile, file.errorString());
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Impossibile leggere"), nomefile, file.errorString());
    return QString::fromLocal8Bit(content);
}

void createIfMissing(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        fail(QStringLiteral("Impossibile creare"), path, file.errorString());
}

void saveRecord(const QString &windowsDir, const QString &score, const QString &name)
{
    // Neither file replaces its old one until both new ones are complete on disk; then the score
    // goes first, as the files have always been written.
    QSaveFile scoreFile(windowsDir + bestScoreFileName);
    QSaveFile nameFile(windowsDir + championFileName);
    prepare(scoreFile, score);
    prepare(nameFile, name);
    for (QSaveFile *file : {&scoreFile, &nameFile}) {
        if (!file->commit())
            fail(savingFailed, file->fileName(), file->errorString());
    }
}

} // namespace records
