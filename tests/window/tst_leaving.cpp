#include "support/startedgame.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using window::GameWindow;

namespace {

const QString goodbye = QStringLiteral("Ciao. Ti aspetto per la prossima sfida ");
const QString confirmation = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"");
const QDateTime lastWeek = QDateTime::currentDateTime().addDays(-7);

/// A window at the end of a game: the record files as start-up found them in a data directory of its own, and
/// the given score and player's name.
struct EndedGame : StartedGame
{
    EndedGame(const QByteArray &storedScore, const QByteArray &storedName, const QString &score, const QString &name)
        : StartedGame(name), ended(&gameWindow, &GameWindow::programEnded)
    {
        writeOld(records::bestScoreFileName, storedScore);
        writeOld(records::championFileName, storedName);
        gameWindow.prepareGame();
        dialogs->messages.clear();
        play(score.toInt(), 0);
    }

    QString scorePath() const { return recordPath(records::bestScoreFileName); }
    QString namePath() const { return recordPath(records::championFileName); }

    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void writeOld(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(recordPath(fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
        QVERIFY(file.flush());
        // An old modification time shows whether the file was touched at all.
        QVERIFY(file.setFileTime(lastWeek, QFileDevice::FileModificationTime));
    }

    QSignalSpy ended;
};

/// The computer's record kept by the real record service on a socket of its own, started as systemd starts it, or
/// no service at all on that socket.
struct RecordService
{
    explicit RecordService(bool runs)
    {
        if (!runs)
            return;
        QVERIFY(QDir(run.path()).mkdir(u"record"_s));
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(QStringLiteral(SOCKET_ACTIVATE),
                      {u"-l"_s, socket(), QStringLiteral(RECORD_SERVICE), u"--directory"_s, recordPath(QString())});
        QTRY_VERIFY(QFileInfo::exists(socket()));
    }
    ~RecordService()
    {
        process.kill();
        process.waitForFinished();
    }

    QString socket() const { return run.filePath(u"record.socket"_s); }
    QString recordPath(const QString &fileName) const { return run.filePath(u"record"_s) + fileName; }

    QTemporaryDir run;
    QProcess process;
};

} // namespace

class TestLeaving : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savesAndConfirmsOnlyAStrictlyGreaterScore_data();
    void savesAndConfirmsOnlyAStrictlyGreaterScore();
    void theExitButtonRunsTheLeaveProcedure();
    void aFailedSaveIsAnErrorAndNeverConfirmed();
    void aRecordBeatenMeanwhileIsNeitherWrittenNorConfirmed();
    void aCallWhileLeavingOrAfterwardsDoesNothing();
    void theComputerRecordTakesAnHonestSaveAndCostsNoGame_data();
    void theComputerRecordTakesAnHonestSaveAndCostsNoGame();
};

void TestLeaving::savesAndConfirmsOnlyAStrictlyGreaterScore_data()
{
    QTest::addColumn<QByteArray>("storedScore");
    QTest::addColumn<QByteArray>("storedName");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("record");

    QTest::newRow("first run with 0 right answers writes nothing") << QByteArray() << QByteArray() << "0"
                                                                   << "Giulia" << false;
    QTest::newRow("first run with 1 right answer is a record") << QByteArray() << QByteArray() << "1"
                                                               << "Giulia" << true;
    QTest::newRow("a tie keeps the champion") << QByteArray("12\r\n") << QByteArray("Anna\r\n") << "12"
                                              << "Giulia" << false;
    QTest::newRow("one more takes the title") << QByteArray("12\r\n") << QByteArray("Anna\r\n") << "13"
                                              << "Giulia" << true;
    QTest::newRow("fewer keeps the champion") << QByteArray("12\r\n") << QByteArray("Anna\r\n") << "3"
                                              << "Giulia" << false;
    QTest::newRow("scores compare as numbers, not as text") << QByteArray("9\r\n") << QByteArray("Anna\r\n") << "10"
                                                            << "Giulia" << true;
    QTest::newRow("a nameless player is saved as Amico") << QByteArray() << QByteArray() << "4"
                                                         << "Amico" << true;
}

void TestLeaving::savesAndConfirmsOnlyAStrictlyGreaterScore()
{
    QFETCH(QByteArray, storedScore);
    QFETCH(QByteArray, storedName);
    QFETCH(QString, score);
    QFETCH(QString, name);
    QFETCH(bool, record);
    EndedGame game(storedScore, storedName, score, name);

    game.round.end();

    QCOMPARE(game.ended.size(), 1);
    QCOMPARE(game.ended.at(0).at(0).toInt(), 0);
    if (record) {
        QCOMPARE(game.dialogs->messages, QStringList({goodbye, confirmation}));
        QCOMPARE(game.bytesOf(game.scorePath()), score.toLatin1() + "\r\n");
        QCOMPARE(records::readRecordFile(game.namePath()), name + "\r\n");
    } else {
        QCOMPARE(game.dialogs->messages, QStringList({goodbye}));
        QCOMPARE(game.bytesOf(game.scorePath()), storedScore);
        QCOMPARE(game.bytesOf(game.namePath()), storedName);
        QCOMPARE(QFileInfo(game.scorePath()).lastModified(), lastWeek);
        QCOMPARE(QFileInfo(game.namePath()).lastModified(), lastWeek);
    }
}

void TestLeaving::theExitButtonRunsTheLeaveProcedure()
{
    EndedGame game("12\r\n", "Anna\r\n", QStringLiteral("13"), QStringLiteral("Giulia"));
    game.gameWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.gameWindow));

    QTest::mouseClick(game.exitButton(), Qt::LeftButton);

    QCOMPARE(game.dialogs->messages, QStringList({goodbye, confirmation}));
    QCOMPARE(game.ended.size(), 1);
    QCOMPARE(game.bytesOf(game.scorePath()), QByteArray("13\r\n"));
}

void TestLeaving::aFailedSaveIsAnErrorAndNeverConfirmed()
{
    EndedGame game("12\r\n", "Anna\r\n", QStringLiteral("13"), QStringLiteral("Giulia"));
    QVERIFY(QFile::remove(game.namePath()));
    QVERIFY(QDir().mkdir(game.namePath()));

    QSignalSpy failed(&game.gameWindow, &GameWindow::runTimeError);

    game.round.end();

    QCOMPARE(failed.size(), 1);
    const QString error = failed.at(0).at(0).toString();
    QVERIFY2(error.contains(QStringLiteral("nzerbilox.txt")), qPrintable(error));
    QCOMPARE(game.dialogs->messages, QStringList({goodbye}));
    QCOMPARE(game.ended.size(), 0);
    QCOMPARE(game.bytesOf(game.scorePath()), QByteArray("12\r\n"));
}

void TestLeaving::aRecordBeatenMeanwhileIsNeitherWrittenNorConfirmed()
{
    EndedGame game("12\r\n", "Anna\r\n", QStringLiteral("13"), QStringLiteral("Giulia"));
    // Another game on the same record ended first, higher.
    game.writeOld(records::bestScoreFileName, "20\r\n");
    game.writeOld(records::championFileName, "Bruno\r\n");

    game.round.end();

    QCOMPARE(game.dialogs->messages, QStringList({goodbye}));
    QCOMPARE(game.ended.size(), 1);
    QCOMPARE(game.bytesOf(game.scorePath()), QByteArray("20\r\n"));
    QCOMPARE(game.bytesOf(game.namePath()), QByteArray("Bruno\r\n"));
}

void TestLeaving::aCallWhileLeavingOrAfterwardsDoesNothing()
{
    EndedGame game("12\r\n", "Anna\r\n", QStringLiteral("13"), QStringLiteral("Giulia"));
    // The clock's last tick may come while the goodbye box is open.
    game.dialogs->whileTelling = [&game](const QString &) { game.round.end(); };

    game.round.end();
    game.round.end();

    QCOMPARE(game.dialogs->messages, QStringList({goodbye, confirmation}));
    QCOMPARE(game.ended.size(), 1);
}

void TestLeaving::theComputerRecordTakesAnHonestSaveAndCostsNoGame_data()
{
    QTest::addColumn<bool>("serviceRuns");
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("goodbyeBox");
    QTest::addColumn<QByteArray>("storedPair");

    QTest::newRow("an honest score") << true << 1 << confirmation << u"1\r\nNiccolò\r\n"_s.toUtf8();
    QTest::newRow("a score faster than the time allows")
        << true << 3 << u"Punteggio non valido: 3 risposte giuste in 0 secondi di gioco"_s << QByteArray();
    QTest::newRow("no service") << false << 3 << u"Impossibile salvare il record in "_s << QByteArray();
}

void TestLeaving::theComputerRecordTakesAnHonestSaveAndCostsNoGame()
{
    QFETCH(bool, serviceRuns);
    QFETCH(int, right);
    QFETCH(QString, goodbyeBox);
    QFETCH(QByteArray, storedPair);
    RecordService service(serviceRuns);
    StartedGame game(u"Niccolò"_s, {0.5f}, records::sharedRecordKeeper(service.socket()));
    QSignalSpy ended(&game.gameWindow, &GameWindow::programEnded);
    // The game's start, which the record could not see: said once, and the game plays.
    if (!serviceRuns)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^quorvane: Impossibile registrare"_s));

    game.start();
    QCOMPARE(game.round.phase(), engine::Round::Phase::Playing);
    QElapsedTimer sinceStart;
    sinceStart.start();
    // At most one right answer a second since the countdown started.
    QTRY_VERIFY_WITH_TIMEOUT(right > 1 || sinceStart.elapsed() > 1000, 5000);
    game.play(right, 0);
    game.round.end();

    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 0);
    QVERIFY2(game.dialogs->messages.last().startsWith(goodbyeBox), qPrintable(game.dialogs->messages.join(u'|')));
    if (serviceRuns) {
        QCOMPARE(EndedGame::bytesOf(service.recordPath(records::bestScoreFileName)) +
                     EndedGame::bytesOf(service.recordPath(records::championFileName)),
                 storedPair);
    }
}

QTEST_MAIN(TestLeaving)
#include "tst_leaving.moc"
