#include "records/store/storedscore.h"

#include <QTest>

#include <limits>

namespace {

double storedScore(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return records::store::storedScore(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace

class TestStoredScore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheNumberAtTheStartOfTheText_data();
    void readsTheNumberAtTheStartOfTheText();
};

void TestStoredScore::readsTheNumberAtTheStartOfTheText_data()
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");

    QTest::newRow("the empty text of a new file is 0") << QString() << 0.0;
    QTest::newRow("a saved score ends at its carriage return") << "12\r\n" << 12.0;
    QTest::newRow("blanks between digits are skipped") << " 1 2\r\n" << 12.0;
    QTest::newRow("tabs and line feeds are skipped anywhere") << "\n\t1\n2\t3" << 123.0;
    QTest::newRow("a carriage return between digits ends the number") << "1\r2" << 1.0;
    QTest::newRow("form feed and vertical tab are not blanks") << "\f5\v" << 0.0;
    QTest::newRow("a non-breaking space is not a blank") << QStringLiteral("\u00a05") << 0.0;
    QTest::newRow("minus sign") << "-5" << -5.0;
    QTest::newRow("plus sign") << "+5" << 5.0;
    QTest::newRow("blanks after the sign are skipped") << "- 5" << -5.0;
    QTest::newRow("a second sign is no number") << "--5" << 0.0;
    QTest::newRow("a sign alone is no number") << "-\r\n" << 0.0;
    QTest::newRow("a sign after the digits ends the number") << "5-3" << 5.0;
    QTest::newRow("decimal point") << "3.25" << 3.25;
    QTest::newRow("a leading decimal point") << ".5" << 0.5;
    QTest::newRow("a trailing decimal point") << "7.\r\n" << 7.0;
    QTest::newRow("a second decimal point ends the number") << "1.2.3" << 1.2;
    QTest::newRow("a decimal comma ends the number") << "3,5" << 3.0;
    QTest::newRow("a point alone is no number") << "." << 0.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("capital exponent with plus sign") << "1E+2" << 100.0;
    QTest::newRow("negative exponent") << "25e-1" << 2.5;
    QTest::newRow("blanks inside the exponent are skipped") << "2 e - 1" << 0.2;
    QTest::newRow("an exponent without digits is dropped") << "3e\r\n" << 3.0;
    QTest::newRow("an exponent sign without digits is dropped") << "3e+x" << 3.0;
    QTest::newRow("an exponent without a mantissa is no number") << "e5" << 0.0;
    QTest::newRow("a hand-edited word counts as 0") << "dodici\r\n" << 0.0;
    QTest::newRow("letters after the digits end the number") << "12 3punti" << 123.0;
    QTest::newRow("a radix prefix is not a number") << "&H10" << 0.0;
    QTest::newRow("a control byte ends the number") << "1\x01"
                                                       "2"
                                                    << 1.0;
    QTest::newRow("a NUL byte ends the number") << QString::fromLatin1("4\0"
                                                                       "5",
                                                                       3)
                                                << 4.0;
    QTest::newRow("other scripts' digits are not digits") << QStringLiteral("\u0661\uff12") << 0.0;
    QTest::newRow("a long run of leading zeros") << QString(500, u'0') + u'1' << 1.0;
    QTest::newRow("a long run of fraction digits") << "2." + QString(500, u'5') << 2.5555555555555554;
    QTest::newRow("a long digit run too large for a double") << QString(100000, u'9') + "\r\n" << infinity;
    QTest::newRow("a huge exponent") << "1e999999999999999999999" << infinity;
    QTest::newRow("a huge negative number") << "-1e400" << -infinity;
    QTest::newRow("a tiny number is 0") << "1e-99999" << 0.0;
}

void TestStoredScore::readsTheNumberAtTheStartOfTheText()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(storedScore(text), number);
}

QTEST_GUILESS_MAIN(TestStoredScore)
#include "tst_storedscore.moc"
