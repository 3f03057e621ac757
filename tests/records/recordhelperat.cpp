// The record helper's own work on a directory named first, for the tests: the installed helper works only on the
// computer's shared directory.
// usage: recordhelperat DIRECTORY --read|SCORE < NAME

#include "records/helper/helperrun.h"
#include "records/store/recordconstants.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: recordhelperat DIRECTORY --read|SCORE < NAME\n");
        return records::store::Refused;
    }
    records::helper::hardenProcess();
    return records::helper::run(argv[1], {argv + 2, argv + argc}, STDIN_FILENO, stdout, stderr);
}
