// The game's start-up (prepareGame, offscreen, no boxes) with a 1 GiB record file beside an empty one: wall time and
// the process's peak resident memory, each run in a fresh process. Prints medians of several runs.
//
// usage: bench_recordstartup [runs]

#include "offscreenfakes.h"
#include "figures.h"

#include "engine/randomsource.h"
#include "records/recordfiles.h"
#include "window/tavola.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

// One start-up in this process: prints its milliseconds and peak KiB.
int startOnce(int argc, char **argv)
{
    QApplication app(argc, argv);
    window::Tavola tavola(std::make_unique<NoDialogs>(), new InstantPerformer,
                          std::make_unique<engine::ClockSeededRandom>());
    QElapsedTimer timer;
    timer.start();
    tavola.prepareGame();
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
    if (argc > 1 && QByteArray(argv[1]) == "--once")
        return startOnce(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    QTemporaryDir home;
    const QString records = home.filePath(QStringLiteral("data/bench_recordstartup"));
    std::printf("Start-up (prepareGame offscreen), median of %d runs, each in a fresh process\n", runs);
    for (const qint64 size : {qint64(0), qint64(1) << 30}) {
        QFile::remove(records + records::bestScoreFileName);
        QFile::remove(records + records::championFileName);
        QDir().mkpath(records);
        QFile file(records + records::bestScoreFileName);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(size)) // sparse: no room taken on disk
            return 1;
        file.close();
        std::vector<double> ms;
        std::vector<double> mib;
        for (int run = 0; run <= runs; ++run) {
            QProcess once;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
            once.setProcessEnvironment(environment);
            once.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--once")});
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
