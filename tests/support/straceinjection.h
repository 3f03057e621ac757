#pragma once

#include <QProcess>
#include <QStringList>

/// One run of a test program, optionally under strace's fault injection.
struct ProgramRun
{
    bool killed = false;
    int status = -1;
    QString errors;
    QByteArray output;
};

/// Runs `program` with `input` on its standard input; `injection` holds strace's options (`-e inject=...`), none to
/// run it plainly. The suite defines STRACE as strace's path.
inline ProgramRun runProgram(const QString &program, const QStringList &arguments, const QByteArray &input,
                             const QStringList &injection = {})
{
    QProcess process;
    if (injection.isEmpty()) {
        process.start(program, arguments);
    } else {
        // A sanitizer build's leak check stops the process through ptrace, which strace already holds.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(STRACE), QStringList{QStringLiteral("-f"), QStringLiteral("-qq"),
                                                          QStringLiteral("-o"), QStringLiteral("/dev/null")} +
                                                  injection + QStringList{program} + arguments);
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        return {};
    // strace ends the way its tracee ended: killed by the same signal.
    const bool killed = process.exitStatus() == QProcess::CrashExit || process.exitCode() == 128 + 9;
    return {killed, killed ? -1 : process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError()).trimmed(),
            process.readAllStandardOutput()};
}
