#include "commandline/commandline.h"

#include <QTest>

#include <sstream>
#include <string>
#include <vector>

using commandline::Request;

Q_DECLARE_METATYPE(Request)

namespace {

struct Answer
{
    std::optional<int> status;
    std::string out;
    std::string err;
};

Answer answerTo(const std::vector<const char *> &arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const auto status = commandline::answer(arguments, out, err);
    return {status, out.str(), err.str()};
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyProgressHelpAndVersionAreOptions_data();
    void onlyProgressHelpAndVersionAreOptions();
    void noArgumentsStartsTheGameWithoutWritingAnything();
    void versionPrintsTheProgramNameAndVersionOnOneLine();
    void helpNamesEveryOptionOnStandardOutput();
    void aWrongArgumentGetsOneLineOnStandardErrorAndStatusTwo();
    void aFailedWriteIsNotASuccess();
};

void TestCommandLine::onlyProgressHelpAndVersionAreOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("refused");
    QTest::newRow("no arguments play the game") << QStringList{} << Request::PlayGame << "";
    QTest::newRow("--help asks for help") << QStringList{"--help"} << Request::ShowHelp << "";
    QTest::newRow("--progress asks for the progress window alone")
        << QStringList{"--progress"} << Request::ShowProgress << "";
    QTest::newRow("--progress first wins over help")
        << QStringList{"--progress", "--help"} << Request::ShowProgress << "";
    QTest::newRow("--version asks for the version") << QStringList{"--version"} << Request::ShowVersion << "";
    QTest::newRow("the first of the two options wins")
        << QStringList{"--version", "--help"} << Request::ShowVersion << "";
    QTest::newRow("an unknown option is refused") << QStringList{"--fast"} << Request::Refuse << "--fast";
    QTest::newRow("short forms are not options") << QStringList{"-h"} << Request::Refuse << "-h";
    QTest::newRow("an option with a value is refused") << QStringList{"--help=all"} << Request::Refuse << "--help=all";
    QTest::newRow("Qt's own options are refused too")
        << QStringList{"-platform", "offscreen"} << Request::Refuse << "-platform";
    QTest::newRow("a word after an option is refused") << QStringList{"--help", "Marco"} << Request::Refuse << "Marco";
    QTest::newRow("an empty argument is refused") << QStringList{""} << Request::Refuse << "";
}

void TestCommandLine::onlyProgressHelpAndVersionAreOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(Request, request);
    QFETCH(QString, refused);
    std::vector<QByteArray> bytes;
    for (const QString &argument : arguments)
        bytes.push_back(argument.toLocal8Bit());
    std::vector<const char *> pointers;
    for (const QByteArray &argument : bytes)
        pointers.push_back(argument.constData());

    const commandline::Reading reading = commandline::read(pointers);
    QCOMPARE(reading.request, request);
    QCOMPARE(QString::fromLocal8Bit(reading.refused.data(), qsizetype(reading.refused.size())), refused);
}

void TestCommandLine::noArgumentsStartsTheGameWithoutWritingAnything()
{
    const Answer answer = answerTo({});
    QVERIFY(!answer.status.has_value());
    QVERIFY(answer.out.empty());
    QVERIFY(answer.err.empty());
}

void TestCommandLine::versionPrintsTheProgramNameAndVersionOnOneLine()
{
    const Answer answer = answerTo({"--version"});
    QCOMPARE(answer.status, 0);
    QCOMPARE(answer.out, std::string("quorvane " QUORVANE_VERSION "\n"));
    QVERIFY(answer.err.empty());
}

void TestCommandLine::helpNamesEveryOptionOnStandardOutput()
{
    const Answer answer = answerTo({"--help"});
    QCOMPARE(answer.status, 0);
    QVERIFY(answer.out.starts_with("Uso: quorvane"));
    QVERIFY(answer.out.find("--help") != std::string::npos);
    QVERIFY(answer.out.find("--version") != std::string::npos);
    QVERIFY(answer.out.find("--progress") != std::string::npos);
    QVERIFY(answer.err.empty());
}

void TestCommandLine::aWrongArgumentGetsOneLineOnStandardErrorAndStatusTwo()
{
    const Answer answer = answerTo({"--version", "--colour"});
    QCOMPARE(answer.status, 2);
    QVERIFY(answer.out.empty());
    QVERIFY(answer.err.find("\"--colour\"") != std::string::npos);
    QCOMPARE(std::count(answer.err.begin(), answer.err.end(), '\n'), 1);
    QVERIFY(answer.err.ends_with('\n'));
}

void TestCommandLine::aFailedWriteIsNotASuccess()
{
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    std::ostringstream err;
    QCOMPARE(commandline::answer(std::vector<const char *>{"--version"}, out, err), 1);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
