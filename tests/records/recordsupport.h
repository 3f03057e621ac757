#pragma once

#include "support/filebytes.h"
#include "support/straceinjection.h"

#include <QStringList>

/// One save of the record store on a test directory (SCORE, the name on standard input), optionally under strace's
/// fault injection.
inline ProgramRun runSaveAt(const QString &directory, const QStringList &arguments, const QByteArray &name,
                            const QStringList &injection = {})
{
    return runProgram(QStringLiteral(RECORD_SAVE_AT), QStringList{directory} + arguments, name, injection);
}
