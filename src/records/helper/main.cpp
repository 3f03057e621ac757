// quorvane-record: reads and writes the computer's shared record for the game, set-user-id to the record's account.

#include "records/helper/helperrun.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    // First of all: until then the caller may still signal the process (it holds no lock yet).
    records::helper::becomeTheRecordAccount();
    records::helper::hardenProcess();
    const std::span<const char *const> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    return records::helper::run(QUORVANE_SHARED_RECORD_DIR, arguments, STDIN_FILENO, stdout, stderr);
}
