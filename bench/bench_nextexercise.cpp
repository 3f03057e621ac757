// Times one next-exercise handler, band painting included, on an offscreen window.
// Prints the median and the spread of many calls.

#include "figures.h"

#include "support/startedgame.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Every second factor and tint in turn; the narrator finishes each request at once.
    StartedGame game(QStringLiteral("Giulia"),
                     {0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f, 0.5f});
    game.showActive();
    engine::Round &round = game.round;

    constexpr int warmUp = 20;
    constexpr int runs = 500;
    for (int i = 0; i < warmUp; ++i)
        round.nextExercise();

    const auto measure = [&](const char *what, bool repaint) {
        std::vector<double> micros;
        micros.reserve(runs);
        QElapsedTimer timer;
        for (int i = 0; i < runs; ++i) {
            timer.start();
            round.nextExercise();
            if (repaint)
                game.gameWindow.grab(); // renders every widget, bands included
            micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
        }
        const double median = figures::median(micros);
        std::sort(micros.begin(), micros.end());
        std::printf("%s: median %.1f us, p10 %.1f us, p90 %.1f us over %d calls\n", what, median, micros[runs / 10],
                    micros[runs * 9 / 10], runs);
    };
    measure("next exercise, bands drawn into the layer", false);
    measure("next exercise and the whole window rendered", true);
    return 0;
}
