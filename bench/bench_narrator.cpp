// The narrator's figures, on a private Xvfb:
//  - from a Speak on an idle narrator to the first sound buffer handed to the output (espeak-ng synthesis
//    included), per text, median of several runs;
//  - CPU time of an idle, visible wizard over 10 s, median of three runs;
//  - peak resident memory of the whole program while the wizard introduces the game and dictates, median of
//    three runs.
// usage: bench_narrator [runs]

#include "narrator/agent.h"
#include "narrator/audiosink.h"
#include "narrator/timesource.h"
#include "narrator/espeakengine.h"
#include "narrator/wizardperformer.h"

#include "startup/launch.h"
#include "startup/windowwatch.h"
#include "startup/xvfbdisplay.h"
#include "figures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace {

using namespace std::chrono_literals;

/// Takes the time of the first buffer of each speech and plays nothing; the speech is heard at once.
class TimingSink final : public narrator::AudioSink
{
public:
    QString open() override { return {}; }
    void write(const QList<qint16> &) override
    {
        if (firstWriteNs < 0)
            firstWriteNs = clock.nsecsElapsed();
    }
    void drain() override { QMetaObject::invokeMethod(this, &AudioSink::finished, Qt::QueuedConnection); }

    QElapsedTimer clock;
    qint64 firstWriteNs = -1;
};

void waitUntil(const std::function<bool()> &done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void runEventLoopFor(std::chrono::milliseconds time)
{
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void benchFirstBuffer(narrator::Agent &agent, TimingSink &sink, int runs)
{
    const QStringList texts = {
        QStringLiteral("7"),
        QStringLiteral("per"),
        QStringLiteral("ventuno"),
        QStringLiteral("Bravo"),
        QStringLiteral("Sbagliato il risultato giusto è ventotto"),
        QStringLiteral("Allora attenzione, iniziamo la nostra avventura con la tabellina del 7. Io detto e tu scrivi "
                       "il risultato nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e "
                       "poi aspetta che io finisca di parlare e premi ancora invio per avere la domanda successiva")};
    narrator::Character merlin = agent.characters().item(QStringLiteral("Merlin"));
    std::printf("Speak on an idle narrator -> first sound buffer handed to the output, median of %d runs\n", runs);
    std::vector<double> all;
    for (const QString &text : texts) {
        std::vector<double> samples;
        for (int run = 0; run < runs; ++run) {
            waitUntil([&] { return agent.queue()->isIdle(); });
            sink.firstWriteNs = -1;
            sink.clock.start();
            merlin.speak(text);
            waitUntil([&] { return sink.firstWriteNs >= 0; });
            samples.push_back(double(sink.firstWriteNs) / 1e6);
        }
        all.insert(all.end(), samples.begin(), samples.end());
        std::printf("  %7.2f ms  \"%s\" (%lld characters)\n", figures::median(samples),
                    qPrintable(text.size() > 40 ? text.left(37) + QStringLiteral("...") : text),
                    static_cast<long long>(text.size()));
    }
    std::printf("  %7.2f ms  all texts (target < 30 ms)\n", figures::median(all));
    waitUntil([&] { return agent.queue()->isIdle(); });
}

void benchIdleCpu()
{
    constexpr auto span = 10s;
    std::vector<double> shares;
    for (int run = 0; run < 3; ++run) {
        const double before = cpuSeconds();
        runEventLoopFor(span);
        shares.push_back(100 * (cpuSeconds() - before) / std::chrono::duration<double>(span).count());
    }
    std::printf("Idle wizard on screen: %.2f%% of one core over %llds, median of 3 runs (target < 1%%)\n",
                figures::median(shares), static_cast<long long>(span.count()));
}

void benchWholeProgram(const std::string &display)
{
    constexpr auto playing = 15s;
    std::string homeTemplate = (std::filesystem::temp_directory_path() / "bench_narrator.XXXXXX").string();
    const std::string home = mkdtemp(homeTemplate.data());
    startup::WindowWatch watch(display);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
    auto xdotool = [&](const QStringList &arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("xdotool"), arguments);
        process.waitForFinished();
        return process.exitCode() == 0;
    };

    std::vector<double> peaks;
    bool wizardSeen = true;
    for (int run = 0; run < 3; ++run) {
        const pid_t child = startup::launch(QUORVANE_PROGRAM, display, home);
        if (!watch.firstWindowOf(child, 20s)) {
            std::fprintf(stderr, "bench_narrator: the program showed no window\n");
            std::exit(1);
        }
        // The first window asks the player's name; Return closes it and the boxes after it, until the wizard,
        // who comes with the game, is on screen.
        std::this_thread::sleep_for(500ms);
        xdotool({QStringLiteral("type"), QStringLiteral("Anna")});
        const QStringList wizard = {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                    QStringLiteral("^Merlin$")};
        bool seen = false;
        for (int attempt = 0; attempt < 10 && !seen; ++attempt) {
            xdotool({QStringLiteral("key"), QStringLiteral("Return")});
            std::this_thread::sleep_for(1s);
            seen = xdotool(wizard);
        }
        wizardSeen = wizardSeen && seen;
        std::this_thread::sleep_for(playing);
        peaks.push_back(double(startup::stopAndMeasurePeakKib(child)) / 1024);
    }
    std::filesystem::remove_all(home);
    std::printf("Whole program, peak resident memory over its first %llds of play: %.1f MiB, median of 3 runs "
                "(target < 60 MiB)%s\n",
                static_cast<long long>(playing.count()), figures::median(peaks),
                wizardSeen ? "" : " - WARNING: the wizard's window was not seen");
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = figures::runsFromArguments(argc, argv, 11, "bench_narrator");
    if (runs == 0)
        return 2;
    const startup::XvfbDisplay display;
    startup::useDisplay(display.name());
    QApplication app(argc, argv);

    auto engine = std::make_unique<narrator::EspeakEngine>();
    auto ownedSink = std::make_unique<TimingSink>();
    TimingSink &sink = *ownedSink;
    auto *performer = new narrator::WizardPerformer(std::move(engine), std::move(ownedSink),
                                                    std::make_unique<narrator::SystemTimeSource>());
    narrator::Agent agent(performer, nullptr);
    agent.characters().load(narrator::merlinName);
    narrator::Character merlin = agent.characters().item(QStringLiteral("Merlin"));
    narrator::takeTheStage(merlin);
    waitUntil([&] { return agent.queue()->isIdle(); });

    benchFirstBuffer(agent, sink, runs);
    runEventLoopFor(1s); // the last balloon closes
    benchIdleCpu();
    benchWholeProgram(display.name());
    return 0;
}
