#include "speller/numlett.h"

#include <QTest>

using speller::Decimal4;

class TestNumlett : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spellsWholeNumbers_data();
    void spellsWholeNumbers();
    void leavesTheUnspelledRestInTheWorkingValue_data();
    void leavesTheUnspelledRestInTheWorkingValue();
    void refillsTheWordTableAndLeavesSlotZeroAlone();
    void refusesNumbersBeyondTheBillionsGroup();
};

void TestNumlett::spellsWholeNumbers_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("words");

    const QStringList units = {QString(),     "uno",      "due",    "tre",         "quattro",  "cinque",     "sei",
                               "sette",       "otto",     "nove",   "dieci",       "undici",   "dodici",     "tredici",
                               "quattordici", "quindici", "sedici", "diciassette", "diciotto", "diciannove", "venti"};
    for (int n = 0; n <= 20; ++n)
        QTest::addRow("units %d", n) << qint64(n) << units[n];

    const QStringList tens = {"venti", "trenta", "quaranta", "cinquanta", "sessanta"};
    const QStringList grid[] = {
        {"venti", "ventuno", "ventidue", "ventitre", "ventiquattro", "venticinque", "ventisei", "ventisette",
         "ventotto", "ventinove"},
        {"trenta", "trentuno", "trentadue", "trentatre", "trentaquattro", "trentacinque", "trentasei", "trentasette",
         "trentotto", "trentanove"},
        {"quaranta", "quarantuno", "quarantadue", "quarantatre", "quarantaquattro", "quarantacinque", "quarantasei",
         "quarantasette", "quarantotto", "quarantanove"},
        {"cinquanta", "cinquantuno", "cinquantadue", "cinquantatre", "cinquantaquattro", "cinquantacinque",
         "cinquantasei", "cinquantasette", "cinquantotto", "cinquantanove"},
        {"sessanta", "sessantuno", "sessantadue", "sessantatre", "sessantaquattro", "sessantacinque", "sessantasei",
         "sessantasette", "sessantotto", "sessantanove"},
    };
    for (int t = 0; t < 5; ++t)
        for (int u = 0; u < 10; ++u)
            QTest::addRow("grid %d", 20 + 10 * t + u) << qint64(20 + 10 * t + u) << grid[t][u];
    QTest::newRow("grid 70") << qint64(70) << "settanta";

    const QStringList sevens = {"sette",       "quattordici",  "ventuno",      "ventotto",    "trentacinque",
                                "quarantadue", "quarantanove", "cinquantasei", "sessantatre", "settanta"};
    for (int k = 1; k <= 10; ++k)
        QTest::addRow("7 x %d", k) << qint64(7 * k) << sevens[k - 1];

    QTest::newRow("tens drop their vowel before uno") << qint64(91) << "novantuno";
    QTest::newRow("tens drop their vowel before otto") << qint64(98) << "novantotto";
    QTest::newRow("one hundred is cento alone") << qint64(100) << "cento";
    QTest::newRow("cento keeps its vowel before uno") << qint64(101) << "centouno";
    QTest::newRow("cento keeps its vowel before otto") << qint64(108) << "centootto";
    QTest::newRow("110") << qint64(110) << "centodieci";
    QTest::newRow("117 with the mended seventeen") << qint64(117) << "centodiciassette";
    QTest::newRow("121") << qint64(121) << "centoventuno";
    QTest::newRow("cento keeps its vowel before ottanta") << qint64(180) << "centoottanta";
    QTest::newRow("188") << qint64(188) << "centoottantotto";
    QTest::newRow("hundreds digit before cento") << qint64(200) << "duecento";
    QTest::newRow("345") << qint64(345) << "trecentoquarantacinque";
    QTest::newRow("999") << qint64(999) << "novecentonovantanove";
    QTest::newRow("one thousand is mille") << qint64(1000) << "mille";
    QTest::newRow("1001") << qint64(1001) << "milleuno";
    QTest::newRow("mille keeps its vowel") << qint64(1008) << "milleotto";
    QTest::newRow("1100") << qint64(1100) << "millecento";
    QTest::newRow("thousands are mila") << qint64(2000) << "duemila";
    QTest::newRow("2001") << qint64(2001) << "duemilauno";
    QTest::newRow("mila keeps its vowel") << qint64(2008) << "duemilaotto";
    QTest::newRow("10 000") << qint64(10000) << "diecimila";
    QTest::newRow("17 000 with the mended seventeen") << qint64(17000) << "diciassettemila";
    QTest::newRow("singular only for a group of exactly one") << qint64(21000) << "ventunomila";
    QTest::newRow("100 000") << qint64(100000) << "centomila";
    QTest::newRow("101 000") << qint64(101000) << "centounomila";
    QTest::newRow("999 999") << qint64(999999) << "novecentonovantanovemilanovecentonovantanove";
    QTest::newRow("one million") << qint64(1000000) << "unmilione";
    QTest::newRow("empty groups add nothing") << qint64(1000001) << "unmilioneuno";
    QTest::newRow("1 001 000") << qint64(1001000) << "unmilionemille";
    QTest::newRow("millions") << qint64(2000000) << "duemilioni";
    QTest::newRow("21 000 000") << qint64(21000000) << "ventunomilioni";
    QTest::newRow("1 234 567") << qint64(1234567) << "unmilioneduecentotrentaquattromilacinquecentosessantasette";
    QTest::newRow("one billion") << qint64(1000000000) << "unmiliardo";
    QTest::newRow("every singular group") << qint64(1001001001) << "unmiliardounmilionemilleuno";
    QTest::newRow("billions") << qint64(2000000000) << "duemiliardi";
    QTest::newRow("largest spellable") << qint64(999999999999)
                                       << "novecentonovantanovemiliardinovecentonovantanovemilioninovecentonovantanove"
                                          "milanovecentonovantanove";
    QTest::newRow("negative gives nothing") << qint64(-1) << "";
    QTest::newRow("negative seventy gives nothing") << qint64(-70) << "";
}

void TestNumlett::spellsWholeNumbers()
{
    QFETCH(qint64, number);
    QFETCH(QString, words);
    Decimal4 numer = Decimal4::fromUnits(number * Decimal4::unitsPerOne);
    speller::NumberWords table;
    QCOMPARE(speller::numlett(numer, table), words);
}

void TestNumlett::leavesTheUnspelledRestInTheWorkingValue_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("words");
    QTest::addColumn<double>("rest");

    QTest::newRow("a fraction is ignored and stays") << 7.5 << "sette" << 0.5;
    QTest::newRow("below one gives nothing") << 0.5 << "" << 0.5;
    QTest::newRow("zero") << 0.0 << "" << 0.0;
    QTest::newRow("negatives are left unchanged") << -1.0 << "" << -1.0;
    QTest::newRow("a whole number ends at zero")
        << 1234567.0 << "unmilioneduecentotrentaquattromilacinquecentosessantasette" << 0.0;
    QTest::newRow("four fractional digits survive") << 21.1234 << "ventuno" << 0.1234;
}

void TestNumlett::leavesTheUnspelledRestInTheWorkingValue()
{
    QFETCH(double, number);
    QFETCH(QString, words);
    QFETCH(double, rest);
    Decimal4 numer = Decimal4::fromDouble(number);
    speller::NumberWords table;
    QCOMPARE(speller::numlett(numer, table), words);
    QCOMPARE(numer, Decimal4::fromDouble(rest));
}

void TestNumlett::refillsTheWordTableAndLeavesSlotZeroAlone()
{
    speller::NumberWords table;
    table.fill(QStringLiteral("garbage"));
    Decimal4 numer = Decimal4::fromUnits(3 * Decimal4::unitsPerOne);
    speller::numlett(numer, table);
    QCOMPARE(table[0], QStringLiteral("garbage"));
    QCOMPARE(table[1], QString());
    QCOMPARE(table[18], QStringLiteral("diciassette"));
    QCOMPARE(table[28], QStringLiteral("novanta"));
}

void TestNumlett::refusesNumbersBeyondTheBillionsGroup()
{
    Decimal4 numer = Decimal4::fromUnits(1'000'000'000'000 * Decimal4::unitsPerOne);
    speller::NumberWords table;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, speller::numlett(numer, table));
}

QTEST_GUILESS_MAIN(TestNumlett)
#include "tst_numlett.moc"
