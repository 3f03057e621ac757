// Times the goodbye when another program holds the history's lock for ever: from the exit button to the goodbye box,
// offscreen, and the longest the window's thread went without handling a timer meanwhile. Prints the medians.
// usage: bench_historylock [runs]

#include "figures.h"

#include "progress/historyfile.h"

#include "support/startedgame.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/file.h>

int main(int argc, char **argv)
{
    const int runs = figures::runsFromArguments(argc, argv, 5, "bench_historylock");
    if (runs == 0)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<double> toGoodbye;
    std::vector<double> longestStall;
    for (int run = 0; run < runs; ++run) {
        StartedGame game;
        game.start();
        game.play(3, 1);
        QDir().mkpath(QFileInfo(progress::historyPath()).path());
        QFile held(progress::historyPath());
        if (!held.open(QIODevice::WriteOnly) || flock(held.handle(), LOCK_EX) != 0)
            return 1;

        // A frame's timer: the gaps between its ticks are how long the window could not draw.
        QElapsedTimer sinceTick;
        qint64 stall = 0;
        QTimer frames;
        frames.setTimerType(Qt::PreciseTimer);
        QObject::connect(&frames, &QTimer::timeout, [&] { stall = std::max(stall, sinceTick.restart()); });
        QElapsedTimer clock;
        double goodbye = -1;
        game.dialogs->whileTelling = [&](const QString &) {
            if (goodbye < 0)
                goodbye = double(clock.nsecsElapsed()) / 1e6;
        };
        frames.start(4);
        sinceTick.start();
        clock.start();
        game.exitButton()->click();
        frames.stop();
        toGoodbye.push_back(goodbye);
        longestStall.push_back(double(stall));
    }
    std::printf("a lock held for ever: exit to goodbye median %.0f ms, longest stall of the window's thread median "
                "%.0f ms, over %d runs (the lock is waited on for %lld ms)\n",
                figures::median(toGoodbye), figures::median(longestStall), runs,
                qint64(progress::lockWaitAtMost.count()));
    return 0;
}
