#pragma once

#include <QByteArray>
#include <QString>

#include <string>

/// The game's side of the record helper, the program that alone reads and writes the computer's shared record.
namespace records {

/// The computer's shared record directory, without a trailing separator.
QString sharedDirectory();

/// Where the record helper is installed, relative to the game's own program.
QString recordHelperProgram();

/// True when the shared directory exists and the record helper is installed beside the game.
bool sharedRecordInstalled();

/// True when `recordDirectory` (as recordDirectory() returns it) is the shared directory.
bool isShared(const QString &recordDirectory);

struct HelperAnswer
{
    int status; ///< store::Done or store::KeptTheRecord
    QByteArray output;
};

/// Runs the record helper with `request` and `input` on its standard input. Throws a std::runtime_error with the
/// helper's own message when it refuses, or "<what> <shared directory>: <reason>" when it cannot answer.
HelperAnswer runRecordHelper(const QString &request, const QByteArray &input, const std::string &what);

} // namespace records
