#include "progress/historyfile.h"

#include "support/startedgame.h"

#include <QDialog>
#include <QDir>
#include <QSignalSpy>
#include <QTimer>

#include <sys/file.h>

class TestGameHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anEndedGameWithAnswersIsInTheHistoryBeforeTheGoodbye_data();
    void anEndedGameWithAnswersIsInTheHistoryBeforeTheGoodbye();
    void aHistoryThatCannotBeWrittenIsSaidOnceAndChangesNothingElse_data();
    void aHistoryThatCannotBeWrittenIsSaidOnceAndChangesNothingElse();
    void theProgressWindowHoldsTheGameUntilItCloses();
};

void TestGameHistory::anEndedGameWithAnswersIsInTheHistoryBeforeTheGoodbye_data()
{
    QTest::addColumn<bool>("timeUp");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");

    QTest::newRow("the time runs out") << true << 3 << 2;
    QTest::newRow("the child leaves") << false << 0 << 1;
    QTest::newRow("no answer, no line") << false << 0 << 0;
}

void TestGameHistory::anEndedGameWithAnswersIsInTheHistoryBeforeTheGoodbye()
{
    QFETCH(bool, timeUp);
    QFETCH(int, right);
    QFETCH(int, wrong);
    // The exercises alternate between 7 × 3 and 7 × 10: the one start() draws is left unanswered, the ones played
    // start with 7 × 10, the right answers first.
    StartedGame game(QStringLiteral("Rossi, Anna"), {0.0f, 0.25f, 0.0f, 0.95f});
    game.start();
    game.play(right, wrong);
    QList<progress::GameResult> atGoodbye;
    game.dialogs->whileTelling = [&atGoodbye](const QString &) {
        if (atGoodbye.isEmpty())
            atGoodbye = progress::readHistory(progress::historyPath()).games;
    };

    if (timeUp) {
        // The start display, seven minutes of ticks, then the tick that finds zero.
        for (int second = 0; second <= 7 * 60; ++second)
            game.round.tick();
    } else
        game.exitButton()->click();

    QCOMPARE(atGoodbye.size(), right + wrong > 0 ? 1 : 0);
    if (atGoodbye.isEmpty())
        return;
    const progress::GameResult &line = atGoodbye.first();
    QCOMPARE(line.name, QStringLiteral("Rossi, Anna"));
    QCOMPARE(line.total, (progress::Answers{right, wrong}));
    std::array<progress::Answers, progress::factCount> facts{};
    for (int answer = 0; answer < right + wrong; ++answer)
        ++(answer < right ? facts[answer % 2 ? 2 : 9].right : facts[answer % 2 ? 2 : 9].wrong);
    QCOMPARE(line.facts, facts);
    QVERIFY(qAbs(line.ended.secsTo(QDateTime::currentDateTime())) < 60);
}

void TestGameHistory::aHistoryThatCannotBeWrittenIsSaidOnceAndChangesNothingElse_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a folder in its place") << false << "al suo posto c'è una cartella";
    QTest::newRow("a lock another game holds for ever") << true << "un altro programma lo tiene occupato";
}

void TestGameHistory::aHistoryThatCannotBeWrittenIsSaidOnceAndChangesNothingElse()
{
    QFETCH(bool, locked);
    QFETCH(QString, reason);
    StartedGame game;
    game.start();
    QFile held(progress::historyPath());
    if (locked) {
        QVERIFY(QDir().mkpath(QFileInfo(held).path()));
        QVERIFY(held.open(QIODevice::WriteOnly));
        QCOMPARE(flock(held.handle(), LOCK_EX), 0);
    } else {
        QVERIFY(QDir().mkpath(progress::historyPath()));
    }
    game.play(2, 0);
    QSignalSpy ended(&game.gameWindow, &window::GameWindow::programEnded);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("quorvane: Impossibile scrivere lo storico dei "
                                                                 "progressi in %1: %2")
                                                      .arg(progress::historyPath(), reason)));
    game.dialogs->messages.clear();

    game.exitButton()->click();

    QCOMPARE(game.dialogs->messages,
             (QStringList{QStringLiteral("Ciao. Ti aspetto per la prossima sfida "),
                          QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"")}));
    QCOMPARE(game.readRecord(records::bestScoreFileName), QByteArray("2\r\n"));
    QCOMPARE(ended.size(), 1);
}

void TestGameHistory::theProgressWindowHoldsTheGameUntilItCloses()
{
    StartedGame game;
    game.start();
    QTest::keyClick(game.answerBox(), Qt::Key_4);
    const auto clockRuns = [&game] { return game.round.findChild<QTimer *>()->isActive(); };
    QVERIFY(clockRuns());
    QVERIFY(game.label("lblNum1")->isVisible());

    game.gameWindow.showProgress();
    auto *progress = game.gameWindow.findChild<QDialog *>(QStringLiteral("progressWindow"));
    game.narrator.characters().item(narrator::merlinName).speak(QStringLiteral("Bravo"));

    QVERIFY(!clockRuns());
    QVERIFY(!game.label("lblNum1")->isVisible());
    QVERIFY(!game.performer->log.contains(QStringLiteral("Speak Bravo")));
    progress->reject();
    QVERIFY(clockRuns());
    QVERIFY(game.label("lblNum1")->isVisible());
    QCOMPARE(game.performer->log.last(), QStringLiteral("Speak Bravo"));
}

QTEST_MAIN(TestGameHistory)
#include "tst_gamehistory.moc"
