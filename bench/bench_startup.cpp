// Start-up of the real program under Xvfb, beside a bare Qt window and a bare name box: from exec until each
// program's first top-level window is mapped on screen, and its peak resident memory by then (plus a short settle for
// its first paint). Prints medians of several runs and which window each program showed.
//
// usage: bench_startup [runs]

#include "startup/launch.h"
#include "startup/windowwatch.h"
#include "startup/xvfbdisplay.h"
#include "figures.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr auto windowTimeout = 20s;
constexpr auto settle = 500ms;

struct Sample
{
    double milliseconds = 0;
    double peakMib = 0;
    startup::SeenWindow window;
};

struct Contender
{
    const char *label;
    std::string program;
    std::vector<Sample> samples;
};

Sample runOnce(const std::string &program, const std::string &display, startup::WindowWatch &watch,
               const std::string &home)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = startup::launch(program, display, home);
    const auto window = watch.firstWindowOf(child, windowTimeout);
    if (window)
        std::this_thread::sleep_for(settle);
    const long peakKib = startup::stopAndMeasurePeakKib(child);
    if (!window) {
        std::fprintf(stderr, "bench_startup: %s showed no window (it ended or took longer than %llds)\n",
                     program.c_str(), static_cast<long long>(windowTimeout.count()));
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(window->mappedAt - start).count(), double(peakKib) / 1024.0,
            *window};
}

struct Spread
{
    double median = 0;
    double lowest = 0;
    double highest = 0;
};

Spread spreadOf(const std::vector<double> &values)
{
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    return {figures::median(values), *lowest, *highest};
}

template <typename Field> std::vector<double> column(const std::vector<Sample> &samples, Field field)
{
    std::vector<double> values;
    for (const Sample &sample : samples)
        values.push_back(sample.*field);
    return values;
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = figures::runsFromArguments(argc, argv, 11, "bench_startup");
    if (runs == 0)
        return 2;
    // The bare window comes first: it is the floor every ratio is taken against.
    std::vector<Contender> contenders{{"bare Qt window", BARE_WINDOW_PROGRAM, {}},
                                      {"bare name box", BARE_NAME_BOX_PROGRAM, {}},
                                      {"quorvane", QUORVANE_PROGRAM, {}}};

    const startup::XvfbDisplay display;
    startup::WindowWatch watch(display.name());
    std::string homeTemplate = (std::filesystem::temp_directory_path() / "bench_startup.XXXXXX").string();
    const std::string home = mkdtemp(homeTemplate.data());

    for (Contender &contender : contenders) // warm-up: page cache, font cache
        runOnce(contender.program, display.name(), watch, home);
    for (int run = 0; run < runs; ++run) {
        // Alternate the order, so neither side always runs right after the other.
        for (size_t i = 0; i < contenders.size(); ++i) {
            Contender &contender = contenders[run % 2 ? contenders.size() - 1 - i : i];
            contender.samples.push_back(runOnce(contender.program, display.name(), watch, home));
        }
    }
    std::filesystem::remove_all(home);

    std::printf("Start-up to the first window on screen, Xvfb %s, median of %d runs (after one warm-up each)\n",
                display.name().c_str(), runs);
    std::printf("%-16s %24s %24s %20s\n", "", "start-up ms (min-max)", "peak RSS MiB (min-max)",
                "x bare window (ms, MiB)");
    Spread floorTime;
    Spread floorMemory;
    for (const Contender &contender : contenders) {
        const Spread time = spreadOf(column(contender.samples, &Sample::milliseconds));
        const Spread memory = spreadOf(column(contender.samples, &Sample::peakMib));
        if (&contender == &contenders.front()) {
            floorTime = time;
            floorMemory = memory;
        }
        std::printf("%-16s %8.1f (%5.1f-%5.1f) %10.1f (%4.1f-%4.1f) %11.2f %6.2f\n", contender.label, time.median,
                    time.lowest, time.highest, memory.median, memory.lowest, memory.highest,
                    time.median / floorTime.median, memory.median / floorMemory.median);
    }
    std::printf("Target: quorvane within 1.5x the bare window in both.\n");
    for (const Contender &contender : contenders) {
        const startup::SeenWindow &window = contender.samples.back().window;
        std::printf("%s's first window: \"%s\", type %s, %dx%d%s\n", contender.label, window.title.c_str(),
                    window.type.empty() ? "unset" : window.type.c_str(), window.width, window.height,
                    window.transient ? ", transient for another window" : "");
    }
    return 0;
}
