#pragma once

#include "support/filebytes.h"
#include "support/straceinjection.h"

#include <QStringList>

// Shared by the record suites: runs of the record helper's work.

/// One run of the record helper's work on a test directory, optionally under strace's fault injection.
using HelperRun = ProgramRun;

inline HelperRun runHelperAt(const QString &directory, const QStringList &arguments, const QByteArray &name,
                             const QStringList &injection = {})
{
    return runProgram(QStringLiteral(RECORD_HELPER_AT), QStringList{directory} + arguments, name, injection);
}
