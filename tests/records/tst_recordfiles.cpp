#include "records/recordfiles.h"

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

using namespace records;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

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
    void readingGivesTheWholeFileWithItsLineEnds();
    void readingAMissingFileIsAnErrorNamingIt();
    void savingWritesOneLineWithCrLfThatReadsBackTheSame_data();
    void savingWritesOneLineWithCrLfThatReadsBackTheSame();
    void savingReplacesALongerRecordWhole();
    void aFailedSaveLeavesTheOtherFileWholeAndNamesTheBlockedOne_data();
    void aFailedSaveLeavesTheOtherFileWholeAndNamesTheBlockedOne();
    void aWriteFailureReplacesNeitherFile();
    void aSaveKilledBeforeTheReplaceLeavesTheOldRecordWhole();

private:
    void writeOldRecord();

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_dir;
};

void TestRecordFiles::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(QStringLiteral("data"))));
    m_dir = GetSystemDir();
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
    const QString error = errorOf([] { GetSystemDir(); });
    QVERIFY2(error.contains(blocker), qPrintable(error));
}

void TestRecordFiles::firstRunCreatesBothFilesEmptyAndReadsThemAsEmptyText()
{
    for (const QString &name : {bestScoreFileName, championFileName}) {
        createIfMissing(m_dir + name);
        QCOMPARE(QFileInfo(m_dir + name).size(), 0);
        QCOMPARE(Leggifiletxt(m_dir + name), QString());
    }
}

void TestRecordFiles::creatingKeepsAnExistingRecord()
{
    writeOldRecord();
    createIfMissing(m_dir + bestScoreFileName);
    createIfMissing(m_dir + championFileName);
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), QByteArray("9\r\n"));
    QCOMPARE(bytesOf(m_dir + championFileName), QByteArray("Vecchio\r\n"));
}

void TestRecordFiles::readingGivesTheWholeFileWithItsLineEnds()
{
    writeBytes(m_dir + bestScoreFileName, "12\r\nedited\nby hand\r\n");
    QCOMPARE(Leggifiletxt(m_dir + bestScoreFileName), QStringLiteral("12\r\nedited\nby hand\r\n"));
}

void TestRecordFiles::readingAMissingFileIsAnErrorNamingIt()
{
    const QString error = errorOf([this] { Leggifiletxt(m_dir + bestScoreFileName); });
    QVERIFY2(error.contains(QDir::cleanPath(m_dir + bestScoreFileName)), qPrintable(error));
}

void TestRecordFiles::savingWritesOneLineWithCrLfThatReadsBackTheSame_data()
{
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("scoreBytes");

    QTest::newRow("a score of 12 is four bytes") << "12"
                                                 << "Amico" << QByteArray("12\r\n");
    QTest::newRow("accented letters") << "3" << QStringLiteral("Nicolò Çelik") << QByteArray("3\r\n");
    QTest::newRow("letters beyond Latin") << "32767" << QStringLiteral("Ζωή 李") << QByteArray("32767\r\n");
}

void TestRecordFiles::savingWritesOneLineWithCrLfThatReadsBackTheSame()
{
    QFETCH(QString, score);
    QFETCH(QString, name);
    QFETCH(QByteArray, scoreBytes);
    saveRecord(m_dir, score, name);
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), scoreBytes);
    QCOMPARE(bytesOf(m_dir + championFileName), name.toLocal8Bit() + "\r\n");
    QCOMPARE(Leggifiletxt(m_dir + championFileName), name + "\r\n");
}

void TestRecordFiles::savingReplacesALongerRecordWhole()
{
    writeBytes(m_dir + bestScoreFileName, "1234\r\n");
    writeBytes(m_dir + championFileName, "Massimiliano\r\n");
    saveRecord(m_dir, QStringLiteral("5"), QStringLiteral("Ugo"));
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), QByteArray("5\r\n"));
    QCOMPARE(bytesOf(m_dir + championFileName), QByteArray("Ugo\r\n"));
    QCOMPARE(QDir(m_dir).entryList(QDir::Files | QDir::Hidden).size(), 2);
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

    const QString error = errorOf([this] { saveRecord(m_dir, QStringLiteral("12"), QStringLiteral("Nuovo")); });

    QVERIFY2(error.startsWith(QStringLiteral("Impossibile salvare il record in ") + QDir::cleanPath(m_dir + blocked) +
                              QStringLiteral(": ")),
             qPrintable(error));
    QCOMPARE(bytesOf(m_dir + other), otherBytes);
    QVERIFY(QFileInfo(m_dir + blocked).isDir());
    QCOMPARE(QDir(m_dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
}

void TestRecordFiles::aWriteFailureReplacesNeitherFile()
{
    writeOldRecord();
    QString error;
    {
        // The new score's four bytes fit, the name's do not: the score must not be replaced alone.
        FileSizeLimit limit(4);
        error = errorOf([this] { saveRecord(m_dir, QStringLiteral("12"), QStringLiteral("Nuovo")); });
    }
    QVERIFY2(error.startsWith(QStringLiteral("Impossibile salvare il record in ") +
                              QDir::cleanPath(m_dir + championFileName) + QStringLiteral(": ")),
             qPrintable(error));
    QVERIFY2(error.size() > error.indexOf(QStringLiteral(": ")) + 2, "the reason is missing");
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), QByteArray("9\r\n"));
    QCOMPARE(bytesOf(m_dir + championFileName), QByteArray("Vecchio\r\n"));
}

void TestRecordFiles::aSaveKilledBeforeTheReplaceLeavesTheOldRecordWhole()
{
    writeOldRecord();
    QProcess saver;
    saver.start(QStringLiteral(HALTING_SAVER), {m_dir, QStringLiteral("13"), QStringLiteral("Nuovo")});
    QVERIFY(saver.waitForStarted());
    QVERIFY2(saver.waitForReadyRead(10000), "the saver never reached the replace");
    const QString temporary = QString::fromLocal8Bit(saver.readLine().trimmed());
    // The new best score stands complete beside the old one: the save stops between the two steps.
    QCOMPARE(bytesOf(temporary), QByteArray("13\r\n"));

    saver.kill();
    QVERIFY(saver.waitForFinished());
    QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

    QCOMPARE(bytesOf(m_dir + bestScoreFileName), QByteArray("9\r\n"));
    QCOMPARE(bytesOf(m_dir + championFileName), QByteArray("Vecchio\r\n"));
    // What the killed save left behind does not hinder the next one.
    saveRecord(m_dir, QStringLiteral("14"), QStringLiteral("Dopo"));
    QCOMPARE(bytesOf(m_dir + bestScoreFileName), QByteArray("14\r\n"));
    QCOMPARE(bytesOf(m_dir + championFileName), QByteArray("Dopo\r\n"));
}

QTEST_GUILESS_MAIN(TestRecordFiles)
#include "tst_recordfiles.moc"
