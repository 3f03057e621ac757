// quorvane-record: writes the computer's shared record for the game, set-group-id games.

#include "records/helper/helperrun.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    recordhelper::hardenProcess();
    const std::span<const char *const> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    return recordhelper::run(QUORVANE_SHARED_RECORD_DIR, arguments, STDIN_FILENO, stderr);
}
