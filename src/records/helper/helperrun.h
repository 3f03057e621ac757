#pragma once

#include <cstdio>
#include <span>
#include <string>

/// The record helper: the one program allowed to write the computer's shared record. It runs set-group-id, so it
/// trusts nothing it is given.
namespace recordhelper {

/// The helper's exit status.
enum Status : int
{
    Done = 0,          ///< the files are ready and the record, when one was given, written
    KeptTheRecord = 1, ///< the stored score is as high or higher: nothing written
    Refused = 2        ///< a bad request or a failure: nothing changed, one line on standard error
};

/// Makes the process safe to run with the games group: the three standard descriptors open, a umask that lets the
/// group share the files, and no signal for an over-large file (the write fails instead, and the save is undone).
void hardenProcess();

/// One call of the helper on `directory`. No argument: tidy an interrupted save and create the missing record files.
/// One argument, the score: read the champion's name from `input` and save the record if it beats the stored one.
int run(const std::string &directory, std::span<const char *const> arguments, int input, std::FILE *errors);

} // namespace recordhelper
