#include "records/helperclient.h"

#include "records/local8bit.h"
#include "records/store/recordconstants.h"
#include "records/store/recordstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace records {
namespace {

// The helper waits at most that long for its input and again for the lock; its own work takes milliseconds.
constexpr int helperTimeoutMs = (2 * store::longestWaitSeconds + 5) * 1000;

} // namespace

QString sharedDirectory()
{
    return QStringLiteral(QUORVANE_SHARED_RECORD_DIR);
}

QString recordHelperProgram()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' + QStringLiteral(QUORVANE_RECORD_HELPER));
}

bool sharedRecordInstalled()
{
    return QFileInfo(sharedDirectory()).isDir() && QFileInfo(recordHelperProgram()).isExecutable();
}

bool isShared(const QString &recordDirectory)
{
    return recordDirectory == sharedDirectory() + u'/';
}

HelperAnswer runRecordHelper(const QString &request, const QByteArray &input, const std::string &what)
{
    QProcess helper;
    helper.start(recordHelperProgram(), {request});
    const std::string directory = local8Bit(sharedDirectory());
    if (!helper.waitForStarted(helperTimeoutMs))
        store::fail(what, directory, local8Bit(helper.program() + QStringLiteral(": ") + helper.errorString()));
    helper.write(input);
    helper.closeWriteChannel();
    if (!helper.waitForFinished(helperTimeoutMs) || helper.exitStatus() != QProcess::NormalExit) {
        helper.kill();
        store::fail(what, directory, local8Bit(helper.program() + QStringLiteral(" non ha concluso il suo lavoro")));
    }
    const int status = helper.exitCode();
    if (status == store::Done || status == store::KeptTheRecord)
        return {status, helper.readAllStandardOutput()};
    const QByteArray message = helper.readAllStandardError().trimmed();
    if (message.isEmpty())
        store::fail(what, directory, local8Bit(helper.program() + QStringLiteral(" ha rifiutato la richiesta")));
    throw store::Failure(message.toStdString());
}

} // namespace records
