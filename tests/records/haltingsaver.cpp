// Saves a record and stops dead at the first file replacement, printing the temporary file it was
// about to move, so that a test can kill the save half-way.
#include "records/recordfiles.h"

#include <cstdio>
#include <unistd.h>

// Defined in the executable, this takes the place of the C library's rename for Qt as well.
extern "C" int rename(const char *from, const char *)
{
    std::printf("%s\n", from);
    std::fflush(stdout);
    for (;;)
        pause();
}

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: haltingsaver DIRECTORY/ SCORE NAME\n");
        return 2;
    }
    records::saveRecord(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                        QString::fromLocal8Bit(argv[3]));
    return 0;
}
