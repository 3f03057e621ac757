// Times opening the progress window over a history of 1,000 games: reading the file's tail, building the chart and
// the grid, and drawing the whole window once, offscreen. Prints the median of several runs.
// usage: bench_progress [runs]

#include "figures.h"

#include "progress/historyfile.h"
#include "progress/progresswindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    const int runs = figures::runsFromArguments(argc, argv, 21, "bench_progress");
    if (runs == 0)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // Two children's games, alternating, so that the chosen name's last 30 lie among the other's.
    QTemporaryDir home;
    const QString path = home.filePath(QStringLiteral("history.csv"));
    QByteArray bytes = progress::historyHeader();
    const QDateTime start = QDateTime::currentDateTime().addDays(-500);
    for (int game = 0; game < progress::readLimit; ++game) {
        progress::GameResult result{
            start.addSecs(game * 43200), game % 2 ? QStringLiteral("Luca") : "Giulia", {12 + game % 9, game % 4}, {}};
        for (int fact = 0; fact < progress::factCount; ++fact)
            result.facts[fact] = {(game + fact) % 3, (game * fact) % 2};
        bytes += progress::historyLine(result);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 1;
    file.close();

    std::vector<double> millis;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        progress::ProgressWindow window(path, QStringLiteral("Luca"), QString());
        window.show();
        window.grab(); // renders every widget, the chart included
        millis.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("opening the progress window over %d games (%lld bytes): median %.1f ms over %d runs\n",
                progress::readLimit, qint64(bytes.size()), figures::median(millis), runs);
    return 0;
}
