#include "records/store/namerule.h"

#include <QTest>

class TestNameRule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void takesOnlyAPrintableLine_data();
    void takesOnlyAPrintableLine();
};

void TestNameRule::takesOnlyAPrintableLine_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("taken");

    QTest::newRow("accented") << QStringLiteral("Niccolò").toUtf8() << true;
    QTest::newRow("apostrophe") << QByteArray("D'Amico") << true;
    QTest::newRow("two names") << QByteArray("Maria Grazia") << true;
    QTest::newRow("diaeresis") << QStringLiteral("Zoë").toUtf8() << true;
    QTest::newRow("hyphen") << QByteArray("Anna-Lisa") << true;
    QTest::newRow("decomposed accent") << QByteArray("Nicolo\xcc\x80") << true;
    QTest::newRow("two marks on a letter") << QByteArray("a\xcc\x80\xcc\x81") << true;
    QTest::newRow("250 characters") << QStringLiteral("ò").repeated(250).toUtf8() << true;
    QTest::newRow("a letter beyond the first plane") << QByteArray("Leo \xf0\x9f\x90\xb1") << true;

    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("blanks only") << QByteArray("   ") << false;
    QTest::newRow("no-break and ideographic spaces only") << QByteArray("\xc2\xa0\xe3\x80\x80") << false;
    QTest::newRow("251 characters") << QStringLiteral("ò").repeated(251).toUtf8() << false;
    QTest::newRow("line feed") << QByteArray("Anna\nBruno") << false;
    QTest::newRow("NUL") << QByteArray("Anna\0Bruno", 10) << false;
    QTest::newRow("C1 control") << QByteArray("Anna\xc2\x85") << false;
    QTest::newRow("line separator") << QByteArray("Anna\xe2\x80\xa8") << false;
    QTest::newRow("right-to-left override") << QStringLiteral("\u202eocraM").toUtf8() << false;
    QTest::newRow("right-to-left isolate") << QByteArray("Marco\xe2\x81\xa7") << false;
    QTest::newRow("Arabic letter mark") << QByteArray("Marco\xd8\x9c") << false;
    QTest::newRow("zero-width space") << QStringLiteral("Mar\u200bco").toUtf8() << false;
    QTest::newRow("word joiner") << QStringLiteral("Mar\u2060co").toUtf8() << false;
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbfMarco") << false;
    QTest::newRow("soft hyphen") << QStringLiteral("Mar\u00adco").toUtf8() << false;
    QTest::newRow("Hangul filler") << QByteArray("\xe3\x85\xa4") << false;
    QTest::newRow("tag character") << QByteArray("Marco\xf3\xa0\x80\x81") << false;
    QTest::newRow("private use") << QByteArray("Marco\xee\x80\x80") << false;
    QTest::newRow("non-character") << QByteArray("Marco\xef\xbf\xbe") << false;
    QTest::newRow("non-character of another plane") << QByteArray("Marco\xf0\x9f\xbf\xbf") << false;
    QTest::newRow("three marks in a row") << QByteArray("a\xcc\x80\xcc\x81\xcc\x82") << false;
    QTest::newRow("a pile of marks") << QByteArray("Z") + QByteArray("\xcd\x8e").repeated(40) << false;
    QTest::newRow("a mark at the start") << QStringLiteral("\u0300a").toUtf8() << false;
    QTest::newRow("a lone continuation byte") << QByteArray("Marco\x80") << false;
    QTest::newRow("a cut-short sequence") << QByteArray("Marco\xc3") << false;
    QTest::newRow("an overlong slash") << QByteArray("\xc0\xaf") << false;
    QTest::newRow("an overlong three-byte form") << QByteArray("\xe0\x80\xaf") << false;
    QTest::newRow("a surrogate") << QByteArray("\xed\xa0\x80") << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << false;
    QTest::newRow("Latin-1 bytes") << QByteArray("Niccol\xf2") << false;
}

void TestNameRule::takesOnlyAPrintableLine()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, taken);
    const std::optional<std::string> problem =
        records::store::nameProblem(std::string_view(name.constData(), std::size_t(name.size())));
    QVERIFY2(problem.has_value() != taken, problem.value_or("taken").c_str());
}

QTEST_APPLESS_MAIN(TestNameRule)
#include "tst_namerule.moc"
