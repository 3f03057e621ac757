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

#include <sys/stat.h>

namespace {

// Everything in `directory`, without following links: names, kinds, link targets and bytes.
QStringList snapshot(const QString &directory)
{
    QStringList seen;
    const QDir dir(directory);
    for (const QFileInfo &entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
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
    // Writable by the helper's group, as installed.
    QCOMPARE(chmod(qPrintable(m_dir), 0775), 0);
}

void TestRecordHelper::refusesWithOneClearLineAndChangesNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("inPlace"); // what stands where a record file should be, or a change to the directory
    QTest::addColumn<QString>("error");

    const QString badScore = QStringLiteral("Punteggio non valido: servono solo cifre, da 1 a 32767");
    const QByteArray name("Anna");
    QTest::newRow("a plus sign") << QStringList{"+5"} << name << "" << badScore;
    QTest::newRow("a minus sign") << QStringList{"-5"} << name << "" << badScore;
    QTest::newRow("a leading blank") << QStringList{" 5"} << name << "" << badScore;
    QTest::newRow("a trailing blank") << QStringList{"5 "} << name << "" << badScore;
    QTest::newRow("letters") << QStringList{"dodici"} << name << "" << badScore;
    QTest::newRow("digits then letters") << QStringList{"5a"} << name << "" << badScore;
    QTest::newRow("zero") << QStringList{"0"} << name << "" << badScore;
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
    QTest::newRow("a directory the group cannot write")
        << QStringList{"5"} << name << "mode 0755"
        << "La cartella dei record <dir> non è scrivibile dal gruppo del programma";
    QTest::newRow("a FIFO found at start-up") << QStringList() << QByteArray() << "fifo:azerbilox.txt"
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
    if (kind != "" && kind != "mode 0755" && kind != "linked directory")
        QVERIFY(QFile::remove(file));
    if (kind == "link")
        QVERIFY(QFile::link(outside, file));
    if (kind == "fifo")
        QCOMPARE(mkfifo(qPrintable(file), 0664), 0);
    if (kind == "directory")
        QVERIFY(QDir().mkdir(file));
    if (kind == "mode 0755")
        QCOMPARE(chmod(qPrintable(m_dir), 0755), 0);
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
        QCOMPARE(QDir(m_dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
    }
}

QTEST_GUILESS_MAIN(TestRecordHelper)
#include "tst_recordhelper.moc"
