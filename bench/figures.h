#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

/// What every benchmark needs to turn repeated runs into figures.
namespace figures {

/// The middle value; the mean of the two middle ones for an even count.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

/// The number of runs from the first argument, `fallback` without one; 0 after a usage line for anything below 1.
inline int runsFromArguments(int argc, char **argv, int fallback, const char *program)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : fallback;
    if (runs < 1)
        std::fprintf(stderr, "usage: %s [runs]\n", program);
    return std::max(runs, 0);
}

} // namespace figures
