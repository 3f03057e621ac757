#include "records/recordfiles.h"
#include "records/store/recordconstants.h"

#include "recordsupport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;

// Everything in `directory`, without following links: names, kinds, link targets and bytes.
QStringList snapshot(const QString &directory)
{
    QStringList seen;
    const QDir dir(directory);
    for (const QFileInfo &entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (entry.fileName() == QStringLiteral("record.lock"))
            continue; // the lock is no part of the record
        if (entry.isSymLink())
            seen << entry.fileName() + QStringLiteral(" -> ") + entry.symLinkTarget();
        else if (entry.isFile())
            seen << entry.fileName() + QStringLiteral(": ") + QString::fromLatin1(bytesOf(entry.filePath()).toHex());
        else
            seen << entry.fileName() + QStringLiteral(" (not a file)");
    }
    return seen;
}

} // namespace

class TestRecordHelper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void refusesWithOneClearLineAndChangesNothing_data();
    void refusesWithOneClearLineAndChangesNothing();
    void twentyHelpersAtOnceLeaveTheHighestScoreWithItsName();
    void aStoredRecordShowsOneLineAndIsBeatenExactlyWhenTheGameSaysSo_data();
    void aStoredRecordShowsOneLineAndIsBeatenExactlyWhenTheGameSaysSo();
    void aLockHeldTooLongEndsInOneClearLine();
    void aPairOfAnotherAccountBecomesTheHelpersOwnUnchanged();

private:
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_dir;
};

void TestRecordHelper::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_dir = m_root->filePath(QStringLiteral("records"));
    QVERIFY(QDir().mkdir(m_dir));
    // Writable by the helper's account alone, as installed.
    QCOMPARE(chmod(qPrintable(m_dir), 0755), 0);
}

void TestRecordHelper::refusesWithOneClearLineAndChangesNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("inPlace"); // what stands where a record file should be, or a change to the directory
    QTest::addColumn<QString>("error");

    const QString badScore = QStringLiteral("Punteggio non valido: servono solo cifre, da 0 a 32767");
    const QByteArray name("Anna");
    QTest::newRow("a plus sign") << QStringList{"+5"} << name << "" << badScore;
    QTest::newRow("a minus sign") << QStringList{"-5"} << name << "" << badScore;
    QTest::newRow("a leading blank") << QStringList{" 5"} << name << "" << badScore;
    QTest::newRow("a trailing blank") << QStringList{"5 "} << name << "" << badScore;
    QTest::newRow("letters") << QStringList{"dodici"} << name << "" << badScore;
    QTest::newRow("digits then letters") << QStringList{"5a"} << name << "" << badScore;
    QTest::newRow("a leading zero") << QStringList{"05"} << name << "" << badScore;
    QTest::newRow("one over the 16-bit range") << QStringList{"32768"} << name << "" << badScore;
    QTest::newRow("ten to the twentieth") << QStringList{"100000000000000000000"} << name << "" << badScore;
    QTest::newRow("no digits") << QStringList{""} << name << "" << badScore;

    QTest::newRow("a line feed in the name") << QStringList{"5"} << QByteArray("An\nna") << ""
                                             << "Nome non valido: contiene";
    QTest::newRow("a NUL in the name") << QStringList{"5"} << QByteArray("An\0na", 5) << ""
                                       << "Nome non valido: contiene";
    QTest::newRow("a C1 control in the name") << QStringList{"5"} << QByteArray("An\xc2\x85na") << ""
                                              << "Nome non valido: contiene";
    QTest::newRow("251 characters") << QStringList{"5"} << QByteArray(251, 'a') << ""
                                    << "Nome non valido: è più lungo";
    QTest::newRow("251 accented characters") << QStringList{"5"} << QString(251, QChar(0xe8)).toUtf8() << ""
                                             << "Nome non valido: è più lungo";
    QTest::newRow("bytes invalid in the encoding") << QStringList{"5"} << QByteArray("An\xffna") << ""
                                                   << "Nome non valido: non è";

    const QString notRegular = QStringLiteral("Impossibile salvare il record in %1: non è un file regolare");
    QTest::newRow("a symbolic link as the best score")
        << QStringList{"5"} << name << "link:azerbilox.txt" << notRegular.arg(QStringLiteral("<dir>/azerbilox.txt"));
    QTest::newRow("a FIFO as the champion")
        << QStringList{"5"} << name << "fifo:nzerbilox.txt" << notRegular.arg(QStringLiteral("<dir>/nzerbilox.txt"));
    QTest::newRow("a directory as the best score") << QStringList{"5"} << name << "directory:azerbilox.txt"
                                                   << notRegular.arg(QStringLiteral("<dir>/azerbilox.txt"));
    QTest::newRow("a symbolic link as the directory")
        << QStringList{"5"} << name << "linked directory"
        << "Impossibile aprire la cartella dei record <dir>: è un collegamento simbolico";
    const QString notReserved =
        QStringLiteral("La cartella dei record <dir> non è riservata all'account del programma");
    QTest::newRow("a directory of another account") << QStringList{"5"} << name << "owner nobody" << notReserved;
    QTest::newRow("a directory its group may write") << QStringList{"5"} << name << "mode 0775" << notReserved;
    QTest::newRow("a lock file that others may open")
        << QStringList{"5"} << name << "lock 0644"
        << "Impossibile salvare il record in <dir>/record.lock: non è un file riservato all'account del record";
    QTest::newRow("a FIFO found at start-up") << QStringList{"--read"} << QByteArray() << "fifo:azerbilox.txt"
                                              << "Impossibile leggere <dir>/azerbilox.txt: non è un file regolare";
}

void TestRecordHelper::refusesWithOneClearLineAndChangesNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, name);
    QFETCH(QString, inPlace);
    QFETCH(QString, error);
    writeBytes(m_dir + "/azerbilox.txt", "3\r\n");
    writeBytes(m_dir + "/nzerbilox.txt", "Vecchio\r\n");
    const QString outside = m_root->filePath(QStringLiteral("outside"));
    writeBytes(outside, "1\r\n");
    QString directory = m_dir;
    const QString kind = inPlace.section(u':', 0, 0);
    const QString file = m_dir + u'/' + inPlace.section(u':', 1);
    if (kind == "link" || kind == "fifo" || kind == "directory")
        QVERIFY(QFile::remove(file));
    if (kind == "link")
        QVERIFY(QFile::link(outside, file));
    if (kind == "fifo")
        QCOMPARE(mkfifo(qPrintable(file), 0664), 0);
    if (kind == "directory")
        QVERIFY(QDir().mkdir(file));
    if (kind == "lock 0644")
        writeBytes(m_dir + "/record.lock", {});
    if (kind == "mode 0775")
        QCOMPARE(chmod(qPrintable(m_dir), 0775), 0);
    if (kind == "owner nobody")
        QCOMPARE(chown(qPrintable(m_dir), nobody, nobody), 0);
    if (kind == "linked directory") {
        directory = m_root->filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(m_dir, directory));
    }
    const QStringList before = snapshot(m_dir);

    const HelperRun run = runHelperAt(directory, arguments, name);

    QCOMPARE(run.status, 2);
    QVERIFY2(run.errors.startsWith(QString(error).replace(QStringLiteral("<dir>"), directory)), qPrintable(run.errors));
    QVERIFY2(!run.errors.contains(u'\n'), qPrintable(run.errors));
    QCOMPARE(snapshot(m_dir), before);
    QCOMPARE(bytesOf(outside), QByteArray("1\r\n"));
}

void TestRecordHelper::twentyHelpersAtOnceLeaveTheHighestScoreWithItsName()
{
    std::vector<int> scores(20);
    for (int round = 0; round < 10; ++round) {
        std::iota(scores.begin(), scores.end(), 1 + round * 20);
        std::shuffle(scores.begin(), scores.end(), *QRandomGenerator::global());
        std::vector<std::unique_ptr<QProcess>> helpers;
        for (const int score : scores) {
            helpers.emplace_back(std::make_unique<QProcess>())
                ->start(QStringLiteral(RECORD_HELPER_AT), {m_dir, QString::number(score)});
        }
        // Each one waits for its name before touching the directory: given the names, they all go at once.
        for (size_t i = 0; i < helpers.size(); ++i) {
            QVERIFY(helpers[i]->waitForStarted());
            helpers[i]->write("Giocatore " + QByteArray::number(scores[i]));
            QVERIFY(helpers[i]->waitForBytesWritten());
        }
        for (const auto &helper : helpers)
            helper->closeWriteChannel();
        for (size_t i = 0; i < helpers.size(); ++i) {
            QVERIFY(helpers[i]->waitForFinished(30000));
            // The highest score is written whatever the order; any other one only while it still beats the stored one.
            const int status = helpers[i]->exitCode();
            QVERIFY2(status == 0 || (status == 1 && scores[i] != round * 20 + 20),
                     qPrintable(QString::fromLocal8Bit(helpers[i]->readAllStandardError())));
        }
        const QByteArray highest = QByteArray::number(round * 20 + 20);
        QCOMPARE(bytesOf(m_dir + "/azerbilox.txt"), highest + "\r\n");
        QCOMPARE(bytesOf(m_dir + "/nzerbilox.txt"), "Giocatore " + highest + "\r\n");
        QCOMPARE(snapshot(m_dir).size(), 2);
    }
}

void TestRecordHelper::aStoredRecordShowsOneLineAndIsBeatenExactlyWhenTheGameSaysSo_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown"); // empty: checked for one line of plain text only
    QTest::addColumn<int>("score");
    QTest::addColumn<bool>("record");

    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919 + 13) % 256);
    QTest::newRow("a number too large for a double") << QByteArray("1e999\r\n") << "1e999\r\n" << 32767 << false;
    QTest::newRow("a number above every score") << QByteArray("99999\r\n") << "99999\r\n" << 32767 << false;
    QTest::newRow("a negative score against 0 right answers") << QByteArray("-5\r\n") << "-5\r\n" << 0 << true;
    QTest::newRow("digits then letters") << QByteArray("12abc\r\n") << "12abc\r\n" << 12 << false;
    QTest::newRow("an empty file") << QByteArray() << "" << 1 << true;
    QTest::newRow("a line end alone") << QByteArray("\r\n") << "\r\n" << 0 << false;
    QTest::newRow("4 KiB of garbage") << garbage << QString() << 1 << true;
    QTest::newRow("a second line") << QByteArray("7\r\n8\r\n") << "7\r\n" << 8 << true;
    QTest::newRow("escape characters") << QByteArray("\x1b[2J\x1b[31m9\r\n") << " [2J [31m9\r\n" << 1 << true;
    QTest::newRow("a NUL and a C1 control become blanks") << QByteArray("4\0"
                                                                        "2\xc2\x85x",
                                                                        6)
                                                          << "4 2 x" << 42 << false;
    QTest::newRow("a long line shows its first 250 characters") << QByteArray(260, '0') + "5\n"
                                                                << QString(250, u'0') + "\n"
                                                                << 1 << true;
}

void TestRecordHelper::aStoredRecordShowsOneLineAndIsBeatenExactlyWhenTheGameSaysSo()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(int, score);
    QFETCH(bool, record);
    writeBytes(m_dir + "/azerbilox.txt", stored);
    writeBytes(m_dir + "/nzerbilox.txt", "Vecchio\r\n");

    const HelperRun read = runHelperAt(m_dir, {QStringLiteral("--read")}, {});
    QCOMPARE(read.status, 0);
    QCOMPARE(read.output, QByteArray::number(stored.size()) + " 9\n" + stored + "Vecchio\r\n");
    const records::StoredRecord gameRead = records::readRecord(m_dir + u'/');
    const QString &line = gameRead.bestScoreLine;
    if (shown.isEmpty() && !stored.isEmpty()) {
        QVERIFY2(line.size() <= int(records::store::longestLine) + 2, qPrintable(line));
        for (const QChar c : line.chopped(line.endsWith(u'\n') ? 1 : 0))
            QVERIFY2(c.category() != QChar::Other_Control, qPrintable(line));
    } else {
        QCOMPARE(line, shown);
    }
    QCOMPARE(score > gameRead.bestScore, record);
    const HelperRun save = runHelperAt(m_dir, {QString::number(score)}, "Nuovo");
    QCOMPARE(save.errors, QString());
    QCOMPARE(save.status, record ? records::store::Done : records::store::KeptTheRecord);
}

void TestRecordHelper::aLockHeldTooLongEndsInOneClearLine()
{
    // A save takes milliseconds: a holder that keeps the lock for seconds is stuck, and waiting on would freeze the
    // game.
    const int lock = open(qPrintable(m_dir + "/record.lock"), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(lock >= 0 && flock(lock, LOCK_EX) == 0);
    const HelperRun run = runHelperAt(m_dir, {QStringLiteral("5")}, "Anna");
    close(lock);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.errors, QStringLiteral("Impossibile salvare il record in %1: un altro gioco lo sta salvando da più "
                                        "di %2 secondi")
                             .arg(m_dir)
                             .arg(records::store::longestWaitSeconds));
}

void TestRecordHelper::aPairOfAnotherAccountBecomesTheHelpersOwnUnchanged()
{
    // As an earlier version left it: the files of the player who set the record, who could change them at will.
    for (const char *file : {"/azerbilox.txt", "/nzerbilox.txt"}) {
        writeBytes(m_dir + file, file[1] == 'a' ? "12\r\n" : "Anna\r\n");
        QCOMPARE(chown(qPrintable(m_dir + file), nobody, nobody), 0);
        QCOMPARE(chmod(qPrintable(m_dir + file), 0666), 0);
    }
    QCOMPARE(runHelperAt(m_dir, {QStringLiteral("--read")}, {}).status, 0);
    for (const char *file : {"/azerbilox.txt", "/nzerbilox.txt"}) {
        struct stat status
        {};
        QCOMPARE(stat(qPrintable(m_dir + file), &status), 0);
        QCOMPARE(status.st_uid, geteuid());
        QCOMPARE(status.st_mode & 07777, mode_t(0644));
    }
    QCOMPARE(bytesOf(m_dir + "/azerbilox.txt") + bytesOf(m_dir + "/nzerbilox.txt"), QByteArray("12\r\nAnna\r\n"));
}

QTEST_GUILESS_MAIN(TestRecordHelper)
#include "tst_recordhelper.moc"
