#include "support/startedgame.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString goodbye = QStringLiteral("Ciao. Ti aspetto per la prossima sfida ");

void tick(engine::Round &round, int times)
{
    for (int i = 0; i < times; ++i)
        round.tick();
}

bool ticking(const engine::Round &round)
{
    return round.findChild<QTimer *>()->isActive();
}

} // namespace

class TestCountdown : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aGameEndsOnTheTickAfterZeroIsShown_data();
    void aGameEndsOnTheTickAfterZeroIsShown();
    void anHourIsBorrowedWhenMinutesAndSecondsAreZero();
    void timeOutWithTheGoodbyeOpenLeavesOnce();
    void theRealTimerEndsTheGameOnceTheTickAfterZero();
};

void TestCountdown::aGameEndsOnTheTickAfterZeroIsShown_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("left");
    QTest::newRow("the start display with full stops never counts as expired") << 0 << "00.07.00" << false;
    QTest::newRow("the first tick shows colons") << 1 << "00:06:59" << false;
    QTest::newRow("the 60th tick lands on a whole minute") << 60 << "00:06:00" << false;
    QTest::newRow("the 61st tick borrows a minute") << 61 << "00:05:59" << false;
    QTest::newRow("the 420th tick shows zero and keeps playing") << 420 << "00:00:00" << false;
    QTest::newRow("the 421st tick finds zero and leaves") << 421 << "00:00:00" << true;
}

void TestCountdown::aGameEndsOnTheTickAfterZeroIsShown()
{
    QFETCH(int, ticks);
    QFETCH(QString, display);
    QFETCH(bool, left);
    StartedGame game;
    game.start();
    tick(game.round, ticks);
    QCOMPARE(game.label("lblconto")->text(), display);
    QCOMPARE(game.dialogs->messages.contains(goodbye), left);
    QCOMPARE(ticking(game.round), !left);
}

void TestCountdown::anHourIsBorrowedWhenMinutesAndSecondsAreZero()
{
    StartedGame game;
    game.start();
    game.round.startClock({1, 0, 0});
    tick(game.round, 1);
    QCOMPARE(game.label("lblconto")->text(), QStringLiteral("00:59:59"));
}

void TestCountdown::timeOutWithTheGoodbyeOpenLeavesOnce()
{
    // While the goodbye box waits, ticks and the exit button keep arriving: none may start leaving again.
    StartedGame game;
    game.start();
    game.play(3, 0);
    engine::Round &round = game.round;
    QSignalSpy ended(&game.gameWindow, &window::GameWindow::programEnded);
    game.dialogs->whileTelling = [&game, &round](const QString &text) {
        if (text != goodbye)
            return;
        QVERIFY(!ticking(round));
        tick(round, 5);
        game.round.end();
    };
    tick(round, 421);

    QCOMPARE(game.dialogs->messages.count(goodbye), 1);
    QCOMPARE(game.dialogs->messages.last(), QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\""));
    QCOMPARE(ended.count(), 1);
    QCOMPARE(game.readRecord(records::bestScoreFileName), QByteArray("3\r\n"));
    QCOMPARE(game.readRecord(records::championFileName), QByteArray("Giulia\r\n"));
}

void TestCountdown::theRealTimerEndsTheGameOnceTheTickAfterZero()
{
    // The clock's own timer, from one second left: zero shows on the first tick and the game ends on the second,
    // with one goodbye however long it waits.
    StartedGame game;
    game.start();
    QSignalSpy ended(&game.gameWindow, &window::GameWindow::programEnded);
    QStringList shownAtGoodbye;
    game.dialogs->whileTelling = [&](const QString &) {
        shownAtGoodbye << game.label("lblconto")->text();
        QTest::qWait(2000);
    };
    game.round.startClock({0, 0, 1});
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 10000);
    QCOMPARE(shownAtGoodbye, QStringList{"00:00:00"});
    QCOMPARE(game.dialogs->messages.count(goodbye), 1);
}

QTEST_MAIN(TestCountdown)
#include "tst_countdown.moc"
