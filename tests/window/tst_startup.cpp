#include "support/startedgame.h"

#include <QTest>
#include <QTimer>

using records::bestScoreFileName;
using records::championFileName;

namespace {

const QString introduction = QStringLiteral(
    "Allora attenzione, iniziamo la nostra avventura con la tabellina del 7. Io detto e tu scrivi il risultato "
    "nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta che io finisca di "
    "parlare e premi ancora invio per avere la domanda successiva");

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void greetsAndNamesThePlayerFallingBackToAmicoOnlyForNoName_data();
    void greetsAndNamesThePlayerFallingBackToAmicoOnlyForNoName();
    void theNarratorIntroducesTheGameThenDictatesTheFirstExercise();
    void loadStartsTheClockButLeavesTheDisplayAtZeroUntilActivation();
    void showsTheStoredRecordCreatingEmptyFilesOnTheFirstRun_data();
    void showsTheStoredRecordCreatingEmptyFilesOnTheFirstRun();
};

void TestStartup::greetsAndNamesThePlayerFallingBackToAmicoOnlyForNoName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("greeting");
    QTest::addColumn<QString>("player");
    QTest::newRow("a typed name is greeted and shown") << "Giulia"
                                                       << " Giulia vediamo se sei un vero campione  "
                                                       << "Giulia";
    QTest::newRow("cancel or no name leaves two blanks before vediamo and plays as Amico")
        << ""
        << "  vediamo se sei un vero campione  "
        << "Amico";
    QTest::newRow("a name of blanks stays as typed") << "   "
                                                     << "     vediamo se sei un vero campione  "
                                                     << "   ";
    QTest::newRow("control characters become blanks, every other character stays")
        << QStringLiteral("Eva\nLu\rca\t\u0001\u001f\u007f\u0080\u009f <b>\u00a0\u200b")
        << QStringLiteral(" Eva Lu ca       <b>\u00a0\u200b vediamo se sei un vero campione  ")
        << QStringLiteral("Eva Lu ca       <b>\u00a0\u200b");
}

void TestStartup::greetsAndNamesThePlayerFallingBackToAmicoOnlyForNoName()
{
    QFETCH(QString, typed);
    QFETCH(QString, greeting);
    QFETCH(QString, player);
    StartedGame game(typed);
    game.gameWindow.prepareGame();
    QCOMPARE(game.dialogs->prompts, QStringList{"Come ti chiami?"});
    QCOMPARE(game.dialogs->messages, QStringList{greeting});
    QCOMPARE(game.label("lblnome1")->text(), player);
    QCOMPARE(game.round.playerName(), player);
}

void TestStartup::theNarratorIntroducesTheGameThenDictatesTheFirstExercise()
{
    StartedGame game;
    game.start();
    QCOMPARE(introduction.size(), 275);
    const QStringList expected{"Show",      "MoveTo 250 175", "Play Announce", "Height 205", "Speak " + introduction,
                               "Show",      "MoveTo 250 175", "Play Greet",    "Height 205", "Speak 7",
                               "Speak per", "Speak sei"};
    QCOMPARE(game.performer->log, expected);
}

void TestStartup::loadStartsTheClockButLeavesTheDisplayAtZeroUntilActivation()
{
    StartedGame game;
    game.gameWindow.prepareGame();
    const QTimer *ticks = game.round.findChild<QTimer *>();
    QVERIFY(ticks->isActive());
    QCOMPARE(ticks->interval(), 1000);
    QCOMPARE(game.round.timeLeft().hours, 0);
    QCOMPARE(game.round.timeLeft().minutes, 7);
    QCOMPARE(game.round.timeLeft().seconds, 0.0f);
    QCOMPARE(game.label("lblconto")->text(), QStringLiteral("00:00:00"));
    QVERIFY(game.label("lblNum1")->isHidden());
    QVERIFY(game.label("Label10")->isHidden());
    QVERIFY(game.label("lblNum2")->isHidden());

    game.gameWindow.show();
    game.gameWindow.beginGame();
    QCOMPARE(game.label("lblconto")->text(), QStringLiteral("00.07.00"));
}

void TestStartup::showsTheStoredRecordCreatingEmptyFilesOnTheFirstRun_data()
{
    QTest::addColumn<bool>("firstRun");
    QTest::addColumn<QByteArray>("score");
    QTest::addColumn<QByteArray>("champion");
    QTest::newRow("the first run creates both files empty and shows nothing") << true << QByteArray() << QByteArray();
    QTest::newRow("a later run shows both files whole, line end included")
        << false << QByteArray("12\r\n") << QByteArray("Giulia\r\n");
}

void TestStartup::showsTheStoredRecordCreatingEmptyFilesOnTheFirstRun()
{
    QFETCH(bool, firstRun);
    QFETCH(QByteArray, score);
    QFETCH(QByteArray, champion);
    StartedGame game;
    if (!firstRun) {
        game.writeRecord(bestScoreFileName, score);
        game.writeRecord(championFileName, champion);
    }
    game.gameWindow.prepareGame();
    QCOMPARE(game.readRecord(bestScoreFileName), score);
    QCOMPARE(game.readRecord(championFileName), champion);
    QCOMPARE(game.label("lblpunti")->text(), QString::fromLatin1(score));
    QCOMPARE(game.label("lblnome")->text(), QString::fromLatin1(champion));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
