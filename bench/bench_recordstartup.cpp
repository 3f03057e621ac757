// The game's start-up (prepareGame, offscreen, no boxes) with a 1 GiB record file beside an empty one: wall time and
// the process's peak resident memory, each run in a fresh process. Prints medians of several runs.
//
// usage: bench_recordstartup [runs]

#include "figures.h"

#include "support/startedgame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

// One start-up in this process, with a best-score file of `size` bytes: prints its milliseconds and peak KiB.
int startOnce(int argc, char **argv, qint64 size)
{
    QApplication app(argc, argv);
    StartedGame game;
    QFile file(game.recordPath(records::bestScoreFileName));
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size)) // sparse: no room taken on disk
        return 1;
    file.close();
    QElapsedTimer timer;
    timer.start();
    game.gameWindow.prepareGame();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%f %ld\n", ms, usage.ru_maxrss);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 2 && QByteArray(argv[1]) == "--once")
        return startOnce(argc, argv, QByteArray(argv[2]).toLongLong());
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    std::printf("Start-up (prepareGame offscreen), median of %d runs, each in a fresh process\n", runs);
    for (const qint64 size : {qint64(0), qint64(1) << 30}) {
        std::vector<double> ms;
        std::vector<double> mib;
        for (int run = 0; run <= runs; ++run) {
            QProcess once;
            once.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--once"), QString::number(size)});
            if (!once.waitForFinished(120000) || once.exitCode() != 0)
                return 1;
            const QList<QByteArray> figures = once.readAllStandardOutput().simplified().split(' ');
            if (run == 0) // warm-up: page cache, font cache
                continue;
            ms.push_back(figures.value(0).toDouble());
            mib.push_back(figures.value(1).toDouble() / 1024);
        }
        std::printf("%-28s %8.1f ms %8.1f MiB peak\n", size ? "a 1 GiB best-score file" : "an empty record",
                    figures::median(ms), figures::median(mib));
    }
    return 0;
}
