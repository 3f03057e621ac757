// Appends one game to a history file, for the tests that kill the append or fail its writes.
// usage: historyappendat FILE RIGHT [LOCK-WAIT-MS] < NAME

#include "progress/historyfile.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: historyappendat FILE RIGHT [LOCK-WAIT-MS] < NAME\n");
        return 2;
    }
    progress::GameResult game;
    game.ended = QDateTime::fromString(QStringLiteral("2026-12-07T18:30:00+01:00"), Qt::ISODate);
    game.name = QTextStream(stdin).readAll();
    game.total = {std::atoi(argv[2]), 1};
    game.facts[2] = game.total;
    const auto lockWait = argc == 4 ? std::chrono::milliseconds(std::atoi(argv[3])) : progress::lockWaitAtMost;
    const Outcome<> appended = progress::appendGame(QFile::decodeName(argv[1]), game, lockWait);
    if (!appended.ok())
        std::fprintf(stderr, "%s\n", qPrintable(appended.error()));
    return appended.ok() ? 0 : 1;
}
