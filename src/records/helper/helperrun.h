#pragma once

#include <cstdio>
#include <span>
#include <string>

/// The record helper: the one program allowed to write the computer's shared record. It runs set-user-id to the
/// record's own account for any caller, so it trusts nothing it is given.
namespace records::helper {

/// Makes the real, effective and saved user ids the record's account (the program's owner): the caller can then
/// neither signal nor trace it. Ends the process when that account would be root.
void becomeTheRecordAccount();

/// Makes the process safe to serve any caller: the three standard descriptors open, files readable by all and
/// writable by the owner alone, no signal from the caller's terminal, and none for an over-large file (the write
/// fails instead, and the save is undone).
void hardenProcess();

/// One call of the helper on `directory`. readRequest: print the pair to `output`. The score: read the champion's
/// name from `input` and save the record if it beats the stored one. Returns a HelperStatus.
int run(const std::string &directory, std::span<const char *const> arguments, int input, std::FILE *output,
        std::FILE *errors);

} // namespace records::helper
