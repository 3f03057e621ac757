#include "progress/historyfile.h"

#include "support/filebytes.h"
#include "support/straceinjection.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

#include <sys/file.h>
#include <sys/stat.h>

using namespace progress;

namespace {

constexpr QFile::Permissions groupOrOthers{0x0077};

GameResult gameOf(const QString &name, int right, int wrong = 2)
{
    GameResult game;
    game.ended = QDateTime::fromString(QStringLiteral("2026-12-07T18:30:00+01:00"), Qt::ISODate).addSecs(right);
    game.name = name;
    game.total = {right, wrong};
    game.facts[0] = {right, 0};
    game.facts[9] = {0, wrong};
    return game;
}

QByteArray linesOf(const QList<GameResult> &games)
{
    QByteArray bytes = historyHeader();
    for (const GameResult &game : games)
        bytes += historyLine(game);
    return bytes;
}

} // namespace

class TestHistoryFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void gamesReadBackAsAppendedWithTheirNamesQuoted_data();
    void gamesReadBackAsAppendedWithTheirNamesQuoted();
    void readingSkipsAndCountsWhatIsNoGame_data();
    void readingSkipsAndCountsWhatIsNoGame();
    void onlyTheLastThousandGamesAreRead();
    void aHistoryThatCannotBeWrittenIsAnErrorNamingIt_data();
    void aHistoryThatCannotBeWrittenIsAnErrorNamingIt();
    void anAppendKilledAtAnyStepLeavesEveryEarlierLineWhole();
    void anAppendThatCannotEndLeavesTheFileAsItWas_data();
    void anAppendThatCannotEndLeavesTheFileAsItWas();

private:
    QTemporaryDir m_home;
    QString m_path;
};

void TestHistoryFile::init()
{
    QVERIFY(m_home.isValid());
    m_path = m_home.filePath(QStringLiteral("data/history.csv"));
    QDir(m_home.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_home.path()));
}

void TestHistoryFile::gamesReadBackAsAppendedWithTheirNamesQuoted_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("field");

    QTest::newRow("a plain name stays bare") << "Luca" << QByteArray(",Luca,");
    QTest::newRow("a comma is quoted") << "Rossi, Anna" << QByteArray(",\"Rossi, Anna\",");
    QTest::newRow("quotes are doubled inside quotes") << "Anna \"Nina\"" << QByteArray(",\"Anna \"\"Nina\"\"\",");
    QTest::newRow("accents are UTF-8") << QStringLiteral("Nicolò Zoë") << QByteArray(",Nicol\xc3\xb2 Zo\xc3\xab,");
    QTest::newRow("blanks at the ends are kept") << " Ugo " << QByteArray(",\" Ugo \",");
    QTest::newRow("no name at all") << "" << QByteArray(",,12,");
    QTest::newRow("a sum is text to a spreadsheet") << "=2+5" << QByteArray(",'=2+5,");
    QTest::newRow("so is a leading minus") << "-3+10" << QByteArray(",'-3+10,");
    QTest::newRow("so is a leading at") << "@SUM(A1)" << QByteArray(",'@SUM(A1),");
    QTest::newRow("a link formula, quoted for its comma")
        << "=HYPERLINK(\"x\",\"y\")" << QByteArray(",\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\",");
    QTest::newRow("a name's own apostrophe gets one more") << "'Ugo" << QByteArray(",''Ugo,");
}

void TestHistoryFile::gamesReadBackAsAppendedWithTheirNamesQuoted()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, field);
    const QList<GameResult> games{gameOf(name, 12), gameOf(QStringLiteral("Bea"), 3, 7)};
    for (const GameResult &game : games)
        QVERIFY(appendGame(m_path, game).ok());

    const History history = readHistory(m_path);
    QCOMPARE(history.games, games);
    QCOMPARE(history.skippedLines, 0);
    const QByteArray bytes = bytesOf(m_path);
    QVERIFY2(bytes.startsWith("\xEF\xBB\xBF"
                              "data,nome,giuste,sbagliate,7 x 1 giuste,7 x 1 sbagliate,7 x 2 giuste"),
             bytes.constData());
    QVERIFY2(bytes.contains("\r\n2026-12-07T18:30:12+01:00" + field), bytes.constData());
    QVERIFY(bytes.endsWith(",0,0,0,7\r\n"));
    // The children's results are the account's own.
    QCOMPARE(QFileInfo(m_path).permissions(),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

void TestHistoryFile::readingSkipsAndCountsWhatIsNoGame_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("skipped");

    const QByteArray ada = historyLine(gameOf(QStringLiteral("Ada"), 5));
    const QByteArray bea = historyLine(gameOf(QStringLiteral("Bea"), 6));
    QTest::newRow("a torn last line") << linesOf({}) + ada + bea.first(30) << QStringList{"Ada"} << 1;
    QTest::newRow("a torn line closed by the next append")
        << linesOf({}) + ada.first(40) + "\r\n" + bea << QStringList{"Bea"} << 1;
    QTest::newRow("an open quote swallows no other line")
        << linesOf({}) + "2026-12-07T18:30:00+01:00,\"Ada\r\n" + bea << QStringList{"Bea"} << 1;
    QTest::newRow("a later version's extra columns")
        << linesOf({}) + ada.chopped(2) + ",99,\"più\"\r\n" + bea << QStringList{"Ada", "Bea"} << 0;
    QTest::newRow("a line with columns missing") << linesOf({}) + ada.first(60) + "\n" + bea << QStringList{"Bea"} << 1;
    QTest::newRow("a header written twice by two first games")
        << linesOf({}) + ada + historyHeader() + bea << QStringList{"Ada", "Bea"} << 0;
    QTest::newRow("an empty file") << QByteArray() << QStringList{} << 0;
    const QByteArray huge = QByteArray(1024 * 1024, 'x') + "\r\n";
    QTest::newRow("an over-long line hides none before it")
        << linesOf({}) + ada + bea + huge << QStringList{"Ada", "Bea"} << 1;
    QTest::newRow("nor any after it") << linesOf({}) + ada + huge + bea << QStringList{"Ada", "Bea"} << 1;
    QTest::newRow("a line just over the length") << linesOf({}) + ada + QByteArray(lineBytesAtMost + 1, 'x') + "\n"
                                                 << QStringList{"Ada"} << 1;
    const auto withCounts = [](const QByteArray &counts) {
        return "2026-12-07T18:30:00+01:00,Cleo," + counts + ",0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
    };
    QTest::newRow("a negative count") << linesOf({}) + withCounts("3,-1,3,-1") + bea << QStringList{"Bea"} << 1;
    QTest::newRow("a count past 16 bits")
        << linesOf({}) + withCounts("2147483647,0,2147483647,0") + bea << QStringList{"Bea"} << 1;
    QTest::newRow("facts with more answers than their game")
        << linesOf({}) + withCounts("1,0,2,0") + withCounts("4,1,3,1") << QStringList{"Cleo"} << 1;
}

void TestHistoryFile::readingSkipsAndCountsWhatIsNoGame()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(int, skipped);
    QVERIFY(QDir().mkpath(QFileInfo(m_path).path()));
    writeBytes(m_path, bytes);
    const auto namesRead = [this] {
        const History history = readHistory(m_path);
        QStringList read;
        for (const GameResult &game : history.games)
            read += game.name;
        return std::pair(read, history.skippedLines);
    };
    QCOMPARE(namesRead(), std::pair(names, skipped));

    // The next game's line stands whole on its own line, after a header when the file had none.
    QVERIFY(appendGame(m_path, gameOf(QStringLiteral("Zeno"), 1)).ok());
    QCOMPARE(namesRead(), std::pair(names + QStringList{"Zeno"}, skipped));
    QVERIFY(bytesOf(m_path).startsWith(historyHeader()));
    // Made by an older version for every account to read, the file and its folder are now the account's own.
    QCOMPARE(QFileInfo(m_path).permissions() & groupOrOthers, 0);
    QCOMPARE(QFileInfo(QFileInfo(m_path).path()).permissions() & groupOrOthers, 0);
}

void TestHistoryFile::onlyTheLastThousandGamesAreRead()
{
    QList<GameResult> games;
    for (int game = 0; game < readLimit + 1; ++game)
        games += gameOf(QStringLiteral("Ada"), game);
    QVERIFY(QDir().mkpath(QFileInfo(m_path).path()));
    writeBytes(m_path, linesOf(games));

    const History history = readHistory(m_path);
    QCOMPARE(history.games, games.sliced(1));
    QCOMPARE(history.skippedLines, 0);
}

void TestHistoryFile::aHistoryThatCannotBeWrittenIsAnErrorNamingIt_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QString>("injection");
    QTest::addColumn<QString>("reason");

    // In Italian whatever the locale the test runs in.
    QTest::newRow("a full disk") << ""
                                 << "inject=write:error=ENOSPC"
                                 << "il disco è pieno";
    QTest::newRow("a failed flush") << ""
                                    << "inject=fsync:error=EIO"
                                    << "errore del disco";
    QTest::newRow("a directory in its place") << "directory"
                                              << ""
                                              << "al suo posto c'è una cartella";
    QTest::newRow("a FIFO in its place") << "fifo"
                                         << ""
                                         << "non è un file regolare";
    QTest::newRow("a file in its folder's place") << "folder"
                                                  << ""
                                                  << "la cartella non si può creare";
}

void TestHistoryFile::aHistoryThatCannotBeWrittenIsAnErrorNamingIt()
{
    QFETCH(QString, blocker);
    QFETCH(QString, injection);
    QFETCH(QString, reason);
    const QString folder = QFileInfo(m_path).path();
    if (blocker == "folder") {
        writeBytes(folder, "not a folder");
    } else {
        QVERIFY(QDir().mkpath(folder));
        if (blocker == "directory")
            QVERIFY(QDir().mkdir(m_path));
        if (blocker == "fifo")
            QCOMPARE(mkfifo(qPrintable(m_path), 0644), 0);
        if (blocker.isEmpty())
            writeBytes(m_path, linesOf({gameOf(QStringLiteral("Ada"), 5)}));
    }
    // Only the calls on the history fail: the error must still reach standard error.
    const QStringList strace = injection.isEmpty()
                                   ? QStringList{}
                                   : QStringList{QStringLiteral("-P"), m_path, QStringLiteral("-e"), injection};
    const ProgramRun run = runProgram(QStringLiteral(HISTORY_APPEND_AT), {m_path, QStringLiteral("9")}, "Bea", strace);

    QCOMPARE(run.status, 1);
    QCOMPARE(run.errors, QStringLiteral("Impossibile scrivere lo storico dei progressi in %1: %2").arg(m_path, reason));
    if (blocker.isEmpty())
        QCOMPARE(readHistory(m_path).games.size(), injection.contains("fsync") ? 2 : 1);
    else
        QVERIFY(!QFileInfo(m_path).isFile());
    if (injection.isEmpty())
        QCOMPARE(checkAppendable(m_path).error(), run.errors);
}

void TestHistoryFile::anAppendKilledAtAnyStepLeavesEveryEarlierLineWhole()
{
    // Killed at each call of the append, one run per call, first into a history that does not exist yet and then
    // into one with two games; the next game's append and a reading must then find every earlier game whole.
    const GameResult next = gameOf(QStringLiteral("Ciro"), 20);
    int steps = 0;
    for (const QList<GameResult> &earlier : {QList<GameResult>{}, {gameOf("Ada", 5), gameOf("Bea, B.", 6)}}) {
        for (const char *call : {"mkdir", "openat", "flock", "newfstatat", "pread64", "write", "fsync", "close"}) {
            for (int invocation = 1;; ++invocation) {
                QDir(QFileInfo(m_path).path()).removeRecursively();
                for (const GameResult &game : earlier)
                    QVERIFY(appendGame(m_path, game).ok());
                const QString injection = QStringLiteral("inject=%1:signal=KILL:when=%2").arg(call).arg(invocation);
                const ProgramRun run = runProgram(QStringLiteral(HISTORY_APPEND_AT), {m_path, QStringLiteral("9")},
                                                  "Dario", {QStringLiteral("-e"), injection});
                if (!run.killed) {
                    QVERIFY2(run.status == 0, qPrintable(injection + u' ' + run.errors));
                    break;
                }
                ++steps;
                QVERIFY(appendGame(m_path, next).ok());
                const History history = readHistory(m_path);
                QVERIFY2(history.skippedLines == 0, qPrintable(injection));
                QCOMPARE(history.games.sliced(0, earlier.size()), earlier);
                QCOMPARE(history.games.last(), next);
                QVERIFY2(history.games.size() == earlier.size() + 1 || (history.games.size() == earlier.size() + 2 &&
                                                                        history.games[earlier.size()].name == "Dario"),
                         qPrintable(injection));
            }
        }
    }
    qInfo("killed at %d steps", steps);
}

void TestHistoryFile::anAppendThatCannotEndLeavesTheFileAsItWas_data()
{
    QTest::addColumn<QString>("shell");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("reason");

    // The file's end lies 20 bytes short of a limit of two 512-byte blocks, so the next line is cut there.
    QTest::newRow("a file size limit met mid-line")
        << "trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\"" << false << "il disco è pieno";
    QTest::newRow("a lock another program holds for ever")
        << "exec \"$0\" \"$@\"" << true << "un altro programma lo tiene occupato";
}

void TestHistoryFile::anAppendThatCannotEndLeavesTheFileAsItWas()
{
    QFETCH(QString, shell);
    QFETCH(bool, locked);
    QFETCH(QString, reason);
    QVERIFY(QDir().mkpath(QFileInfo(m_path).path()));
    QByteArray before = linesOf({gameOf(QStringLiteral("Ada"), 5)});
    before += historyLine(gameOf(QString(1024 - 20 - before.size() - historyLine(gameOf({}, 5)).size(), u'x'), 5));
    QCOMPARE(before.size(), 1024 - 20);
    writeBytes(m_path, before);
    QFile held(m_path);
    QVERIFY(held.open(QIODevice::ReadOnly));
    if (locked)
        QCOMPARE(flock(held.handle(), LOCK_EX), 0);

    const ProgramRun run = runProgram(QStringLiteral("/bin/sh"),
                                      {QStringLiteral("-c"), shell, QStringLiteral(HISTORY_APPEND_AT), m_path,
                                       QStringLiteral("9"), QStringLiteral("50")},
                                      "Bea");

    QCOMPARE(run.status, 1);
    QCOMPARE(run.errors, QStringLiteral("Impossibile scrivere lo storico dei progressi in %1: %2").arg(m_path, reason));
    QCOMPARE(bytesOf(m_path), before);
}

QTEST_GUILESS_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
