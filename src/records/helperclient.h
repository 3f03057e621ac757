#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// The game's side of the record helper, the set-group-id program that alone writes the computer's shared record.
namespace records {

/// The computer's shared record directory, without a trailing separator.
QString sharedDirectory();

/// Where the record helper is installed, relative to the game's own program.
QString recordHelperProgram();

/// True when `windowsDir` (as GetSystemDir returns it) is the shared directory.
bool isShared(const QString &windowsDir);

enum class RecordHelperAnswer
{
    Written,
    NotBeaten
};

/// Runs the record helper with `arguments` and `input` on its standard input. Throws a std::runtime_error with the
/// helper's own message when it refuses or fails.
RecordHelperAnswer runRecordHelper(const QStringList &arguments, const QByteArray &input);

} // namespace records
