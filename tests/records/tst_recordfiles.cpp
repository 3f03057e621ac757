#include "records/recordfiles.h"

#include "recordsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <memory>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace records;

namespace {

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const std::runtime_error &error) {
        return QString::fromLocal8Bit(error.what());
    }
    return QString();
}

// Lowers this process's file-size limit for its lifetime; a write beyond it fails instead of
// killing the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class TestRecordFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void systemDirIsTheUserDataDirectoryCreatedAndEndingInOneSeparator();
    void systemDirThatCannotBeCreatedIsAnErrorNamingIt();
    void firstRunCreatesBothFilesEmptyAndReadsThemAsEmptyText();
    void creatingKeepsAnExistingRecord();
    void readingShowsTheFirstLineWithItsLineEnd();
    void readingAMissingFileIsAnErrorNamingIt();
    void savingWritesOneLineWithCrLfThatReadsBackTheSame_data();
    void savingWritesOneLineWithCrLfThatReadsBackTheSame();
    void savingReplacesALongerRecordWhole();
    void aFailedSaveLeavesTheOtherFileWholeAndNamesTheBlockedOne_data();
    void aFailedSaveLeavesTheOtherFileWholeAndNamesTheBlockedOne();
    void aWriteFailureReplacesNeitherFile();
    void aSaveKilledAtAnyStepLeavesTheOldOrTheNewPairAndNoTemporary();
    void aFailedFlushIsAFailedSave_data();
    void aFailedFlushIsAFailedSave();
    void anythingButARegularFileIsAnErrorAtOnce_data();
    void anythingButARegularFileIsAnErrorAtOnce();
    void aHugeRecordFileCostsNoMoreMemoryThanAnEmptyOne();

private:
    void writeOldRecord();
    QByteArrayList pairOnDisk() const;
    ProgramRun saveThirteenUnder(const QString &injection);
    QStringList entries() const;

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_dir;
};

void TestRecordFiles::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(QStringLiteral("data"))));
    m_dir = recordDirectory();
}

void TestRecordFiles::cleanup()
{
    m_home.reset();
}

void TestRecordFiles::writeOldRecord()
{
    writeBytes(m_dir + bestScoreFileName, "9\r\n");
    writeBytes(m_dir + championFileName, "Vecchio\r\n");
}

QByteArrayList TestRecordFiles::pairOnDisk() const
{
    return {bytesOf(m_dir + bestScoreFileName), bytesOf(m_dir + championFileName)};
}

// The record store's save, with a fault injected by strace.
ProgramRun TestRecordFiles::saveThirteenUnder(const QString &injection)
{
    chmod(qPrintable(m_dir), 0755); // writable by the saving account alone, as installed
    return runSaveAt(QDir::cleanPath(m_dir), {QStringLiteral("13")}, "Nuovo", {QStringLiteral("-e"), injection});
}

// What the directory holds besides its lock file.
QStringList TestRecordFiles::entries() const
{
    QStringList names =
        QDir(m_dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    names.removeOne(QStringLiteral("record.lock"));
    return names;
}

void TestRecordFiles::systemDirIsTheUserDataDirectoryCreatedAndEndingInOneSeparator()
{
    const QString expected = m_home->filePath(QStringLiteral("data/")) + QCoreApplication::applicationName() + u'/';
    QCOMPARE(m_dir, expected);
    QVERIFY(QFileInfo(m_dir).isDir());
    QVERIFY(!m_dir.endsWith(QStringLiteral("//")));
    // The file names keep their own separator; the doubled one still names a file in the directory.
    writeBytes(m_dir + bestScoreFileName, "1\r\n");
    QCOMPARE(bytesOf(QDir(m_dir).filePath(QStringLiteral("azerbilox.txt"))), QByteArray("1\r\n"));
}

void TestRecordFiles::systemDirThatCannotBeCreatedIsAnErrorNamingIt()
{
    const QString blocker = m_home->filePath(QStringLiteral("a-file"));
    writeBytes(blocker, "not a directory");
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker));
    const QString error = errorOf([] { recordDirectory(); });
    QVERIFY2(error.contains(blocker), qPrintable(error));
}

void TestRecordFiles::firstRunCreatesBothFilesEmptyAndReadsThemAsEmptyText()
{
    readRecord(m_dir);
    for (const QString &name : {bestScoreFileName, championFileName}) {
        QCOMPARE(QFileInfo(m_dir + name).size(), 0);
        QCOMPARE(readRecordFile(m_dir + name), QString());
    }
}

void TestRecordFiles::creatingKeepsAnExistingRecord()
{
    writeOldRecord();
    readRecord(m_dir);
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), QByteArray("9\r\n"));
    QCOMPARE(bytesOf(m_dir + championFileName), QByteArray("Vecchio\r\n"));
}

void TestRecordFiles::readingShowsTheFirstLineWithItsLineEnd()
{
    writeBytes(m_dir + bestScoreFileName, "12\r\nedited\nby hand\r\n");
    QCOMPARE(readRecordFile(m_dir + bestScoreFileName), QStringLiteral("12\r\n"));
}

void TestRecordFiles::readingAMissingFileIsAnErrorNamingIt()
{
    const QString error = errorOf([this] { readRecordFile(m_dir + bestScoreFileName); });
    QVERIFY2(error.contains(QDir::cleanPath(m_dir + bestScoreFileName)), qPrintable(error));
}

void TestRecordFiles::savingWritesOneLineWithCrLfThatReadsBackTheSame_data()
{
    QTest::addColumn<qint16>("score");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("scoreBytes");

    QTest::newRow("a score of 12 is four bytes") << qint16(12) << "Amico" << QByteArray("12\r\n");
    QTest::newRow("accented letters") << qint16(3) << QStringLiteral("Nicolò Çelik") << QByteArray("3\r\n");
    QTest::newRow("letters beyond Latin") << qint16(32767) << QStringLiteral("Ζωή 李") << QByteArray("32767\r\n");
}

void TestRecordFiles::savingWritesOneLineWithCrLfThatReadsBackTheSame()
{
    QFETCH(qint16, score);
    QFETCH(QString, name);
    QFETCH(QByteArray, scoreBytes);
    QVERIFY(saveRecord(m_dir, score, name));
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), scoreBytes);
    QCOMPARE(bytesOf(m_dir + championFileName), name.toLocal8Bit() + "\r\n");
    QCOMPARE(readRecordFile(m_dir + championFileName), name + "\r\n");
}

void TestRecordFiles::savingReplacesALongerRecordWhole()
{
    writeBytes(m_dir + bestScoreFileName, "0012\r\n");
    writeBytes(m_dir + championFileName, "Massimiliano\r\n");
    QVERIFY(saveRecord(m_dir, 15, QStringLiteral("Ugo")));
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), QByteArray("15\r\n"));
    QCOMPARE(bytesOf(m_dir + championFileName), QByteArray("Ugo\r\n"));
    QCOMPARE(entries().size(), 2);
}

void TestRecordFiles::aFailedSaveLeavesTheOtherFileWholeAndNamesTheBlockedOne_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QByteArray>("otherBytes");

    QTest::newRow("a directory where the best-score file should be")
        << bestScoreFileName << championFileName << QByteArray("Vecchio\r\n");
    QTest::newRow("a directory where the champion file should be")
        << championFileName << bestScoreFileName << QByteArray("9\r\n");
}

void TestRecordFiles::aFailedSaveLeavesTheOtherFileWholeAndNamesTheBlockedOne()
{
    QFETCH(QString, blocked);
    QFETCH(QString, other);
    QFETCH(QByteArray, otherBytes);
    writeOldRecord();
    QVERIFY(QFile::remove(m_dir + blocked));
    QVERIFY(QDir().mkdir(m_dir + blocked));

    const QString error = errorOf([this] { saveRecord(m_dir, 12, QStringLiteral("Nuovo")); });

    QVERIFY2(error.startsWith(QStringLiteral("Impossibile salvare il record in ") + QDir::cleanPath(m_dir + blocked) +
                              QStringLiteral(": ")),
             qPrintable(error));
    QCOMPARE(bytesOf(m_dir + other), otherBytes);
    QVERIFY(QFileInfo(m_dir + blocked).isDir());
    QCOMPARE(entries().size(), 2);
}

void TestRecordFiles::aWriteFailureReplacesNeitherFile()
{
    writeOldRecord();
    QString error;
    {
        // The new score's four bytes fit, the name's do not: the score must not be replaced alone.
        FileSizeLimit limit(4);
        error = errorOf([this] { saveRecord(m_dir, 12, QStringLiteral("Nuovo")); });
    }
    QVERIFY2(error.startsWith(QStringLiteral("Impossibile salvare il record in ") +
                              QDir::cleanPath(m_dir + championFileName) + QStringLiteral(": ")),
             qPrintable(error));
    QVERIFY2(error.size() > error.indexOf(QStringLiteral(": ")) + 2, "the reason is missing");
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), QByteArray("9\r\n"));
    QCOMPARE(bytesOf(m_dir + championFileName), QByteArray("Vecchio\r\n"));
}

void TestRecordFiles::aSaveKilledAtAnyStepLeavesTheOldOrTheNewPairAndNoTemporary()
{
    // Killed at each call that creates, writes, flushes, renames or removes a file, one run per call; the next
    // start-up must then find one whole pair and nothing else.
    const QByteArrayList oldPair{"9\r\n", "Vecchio\r\n"};
    const QByteArrayList newPair{"13\r\n", "Nuovo\r\n"};
    int steps = 0;
    int oldPairs = 0;
    for (const char *call : {"openat", "write", "fsync", "renameat", "renameat2", "unlinkat"}) {
        for (int invocation = 1;; ++invocation) {
            writeOldRecord();
            const QString injection = QStringLiteral("inject=%1:signal=KILL:when=%2").arg(call).arg(invocation);
            const ProgramRun run = saveThirteenUnder(injection);
            if (!run.killed) {
                QVERIFY2(run.status == 0, qPrintable(injection + u' ' + run.errors));
                break;
            }
            ++steps;
            readRecord(m_dir);
            const QByteArrayList pair = pairOnDisk();
            QVERIFY2(pair == oldPair || pair == newPair, qPrintable(injection + u' ' + pair.join('|')));
            oldPairs += pair == oldPair;
            QCOMPARE(entries(), QStringList({QStringLiteral("azerbilox.txt"), QStringLiteral("nzerbilox.txt")}));
        }
    }
    qInfo("killed at %d steps: the next start-up found the old pair %d times, the new pair %d times", steps, oldPairs,
          steps - oldPairs);
    QVERIFY2(oldPairs > 0 && oldPairs < steps, "the kills did not reach both sides of the commit");
}

void TestRecordFiles::aFailedFlushIsAFailedSave_data()
{
    QTest::addColumn<int>("flush");
    QTest::addColumn<QByteArray>("scoreAfter");

    QTest::newRow("the new score's flush") << 1 << QByteArray("9\r\n");
    QTest::newRow("the new name's flush") << 2 << QByteArray("9\r\n");
    QTest::newRow("the directory's flush before the commit") << 3 << QByteArray("9\r\n");
    QTest::newRow("the commit's flush") << 4 << QByteArray("9\r\n");
    // Past the commit point the new pair stands whole; the save is still reported as failed.
    QTest::newRow("the directory's flush after the renames") << 5 << QByteArray("13\r\n");
}

void TestRecordFiles::aFailedFlushIsAFailedSave()
{
    QFETCH(int, flush);
    QFETCH(QByteArray, scoreAfter);
    writeOldRecord();
    const ProgramRun run = saveThirteenUnder(QStringLiteral("inject=fsync:error=EIO:when=%1").arg(flush));
    QCOMPARE(run.status, 2);
    QVERIFY2(run.errors.startsWith(QStringLiteral("Impossibile salvare il record in ") + QDir::cleanPath(m_dir)) &&
                 run.errors.endsWith(QString::fromLocal8Bit(strerror(EIO))),
             qPrintable(run.errors));
    readRecord(m_dir);
    QCOMPARE(pairOnDisk().first(), scoreAfter);
    QCOMPARE(pairOnDisk().last(), scoreAfter == "9\r\n" ? QByteArray("Vecchio\r\n") : QByteArray("Nuovo\r\n"));
    QCOMPARE(entries().size(), 2);
}

void TestRecordFiles::anythingButARegularFileIsAnErrorAtOnce_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");

    QTest::newRow("a FIFO as the best score") << bestScoreFileName << "fifo";
    QTest::newRow("a link to a FIFO as the champion") << championFileName << "link to fifo";
    QTest::newRow("a directory as the best score") << bestScoreFileName << "directory";
}

void TestRecordFiles::anythingButARegularFileIsAnErrorAtOnce()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    const QString path = m_dir + file;
    const QString fifo = m_home->filePath(QStringLiteral("fifo"));
    QCOMPARE(mkfifo(qPrintable(kind == "fifo" ? path : fifo), 0644), 0);
    if (kind == "link to fifo")
        QVERIFY(QFile::link(fifo, path));
    if (kind == "directory")
        QVERIFY(QDir().mkdir(path));

    const QString expected =
        QStringLiteral("Impossibile leggere %1: non è un file regolare").arg(QDir::cleanPath(path));
    QCOMPARE(errorOf([this] { readRecord(m_dir); }), expected);
    QCOMPARE(errorOf([&path] { readRecordFile(path); }), expected);
}

void TestRecordFiles::aHugeRecordFileCostsNoMoreMemoryThanAnEmptyOne()
{
    readRecord(m_dir);
    QCOMPARE(readRecordFile(m_dir + bestScoreFileName), QString());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const long emptyPeakKib = usage.ru_maxrss;

    // A sparse gibibyte: it takes no room on disk, but reading it whole takes a gibibyte of memory.
    QFile huge(m_dir + bestScoreFileName);
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 30));
    huge.close();
    const QString head = readRecordFile(m_dir + bestScoreFileName);
    getrusage(RUSAGE_SELF, &usage);
    QCOMPARE(head, QString(int(records::store::longestLine), u' '));
    QVERIFY2(usage.ru_maxrss <= emptyPeakKib * 12 / 10, qPrintable(QString::number(usage.ru_maxrss)));
}

QTEST_GUILESS_MAIN(TestRecordFiles)
#include "tst_recordfiles.moc"
