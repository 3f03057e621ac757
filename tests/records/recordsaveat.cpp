// The record store's save on a directory named first, for the tests that kill it or fail its flushes at each step.
// usage: recordsaveat DIRECTORY SCORE < NAME; status 0: saved, 1: kept, 2: failed (the reason on standard error)

#include "records/store/recordstore.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: recordsaveat DIRECTORY SCORE < NAME\n");
        return 2;
    }
    const std::string name{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    try {
        const records::store::Directory directory(argv[1], records::store::Links::Refuse);
        return records::store::saveIfBeaten(directory, std::atoi(argv[2]), name) ? 0 : 1;
    } catch (const records::store::Failure &failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 2;
    }
}
