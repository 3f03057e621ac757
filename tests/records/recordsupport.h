#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTest>

// Shared by the record suites: files byte for byte, and runs of the record helper's work.

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

/// One run of the record helper's work on a test directory, optionally under strace's fault injection.
struct HelperRun
{
    bool killed = false;
    int status = -1;
    QString errors;
    QByteArray output;
};

inline HelperRun runHelperAt(const QString &directory, const QStringList &arguments, const QByteArray &name,
                             const QStringList &injection = {})
{
    QProcess helper;
    const QStringList helperCommand = QStringList{directory} + arguments;
    if (injection.isEmpty()) {
        helper.start(QStringLiteral(RECORD_HELPER_AT), helperCommand);
    } else {
        // A sanitizer build's leak check stops the process through ptrace, which strace already holds.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
        helper.setProcessEnvironment(environment);
        helper.start(QStringLiteral(STRACE), QStringList{QStringLiteral("-f"), QStringLiteral("-qq"),
                                                         QStringLiteral("-o"), QStringLiteral("/dev/null")} +
                                                 injection + QStringList{QStringLiteral(RECORD_HELPER_AT)} +
                                                 helperCommand);
    }
    helper.write(name);
    helper.closeWriteChannel();
    if (!helper.waitForFinished(30000))
        return {};
    // strace ends the way its tracee ended: killed by the same signal.
    const bool killed = helper.exitStatus() == QProcess::CrashExit || helper.exitCode() == 128 + 9;
    return {killed, killed ? -1 : helper.exitCode(), QString::fromLocal8Bit(helper.readAllStandardError()).trimmed(),
            helper.readAllStandardOutput()};
}
