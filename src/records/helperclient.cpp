#include "records/helperclient.h"

#include "records/helper/helperrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <stdexcept>

namespace records {
namespace {

// The helper waits for the directory's lock at most as long as another game's save takes: a few milliseconds.
constexpr int helperTimeoutMs = 30000;

[[noreturn]] void fail(const QString &text)
{
    throw std::runtime_error(text.toLocal8Bit().toStdString());
}

} // namespace

QString sharedDirectory()
{
    return QStringLiteral(QUORVANE_SHARED_RECORD_DIR);
}

QString recordHelperProgram()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' + QStringLiteral(QUORVANE_RECORD_HELPER));
}

bool isShared(const QString &windowsDir)
{
    return windowsDir == sharedDirectory() + u'/';
}

RecordHelperAnswer runRecordHelper(const QStringList &arguments, const QByteArray &input)
{
    QProcess helper;
    helper.start(recordHelperProgram(), arguments);
    if (!helper.waitForStarted(helperTimeoutMs))
        fail(QStringLiteral("Impossibile avviare %1: %2").arg(helper.program(), helper.errorString()));
    helper.write(input);
    helper.closeWriteChannel();
    if (!helper.waitForFinished(helperTimeoutMs) || helper.exitStatus() != QProcess::NormalExit) {
        helper.kill();
        fail(QStringLiteral("%1 non ha concluso il suo lavoro").arg(helper.program()));
    }
    switch (helper.exitCode()) {
    case recordhelper::Done:
        return RecordHelperAnswer::Written;
    case recordhelper::KeptTheRecord:
        return RecordHelperAnswer::NotBeaten;
    default:
        const QString message = QString::fromLocal8Bit(helper.readAllStandardError()).trimmed();
        fail(message.isEmpty() ? QStringLiteral("%1 ha rifiutato il record").arg(helper.program()) : message);
    }
}

} // namespace records
