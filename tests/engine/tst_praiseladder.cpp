#include "engine/praiseladder.h"

#include <QTest>

namespace {

const QString name = QStringLiteral("Lucia");
const QString result = QStringLiteral("49");

QStringList describe(const QList<engine::Praise> &praise)
{
    QStringList lines;
    for (const engine::Praise &p : praise)
        lines.append((p.kind == engine::Praise::Kind::Play ? QStringLiteral("Play ") : QStringLiteral("Speak ")) +
                     p.text);
    return lines;
}

void addRow(double n, const char *rule, const QStringList &said)
{
    QTest::addRow("n = %g: %s", n, rule) << n << said;
}

} // namespace

class TestPraiseLadder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saysWhatTheCountCallsFor_data();
    void saysWhatTheCountCallsFor();
};

void TestPraiseLadder::saysWhatTheCountCallsFor_data()
{
    QTest::addColumn<double>("n");
    QTest::addColumn<QStringList>("said");

    // Every count from 0 to 30, as the game meets them: n right answers shown before this one.
    const QStringList esatto = {"Speak Esatto", "Speak 49"};
    const QStringList giusto = {"Speak Giusto", "Speak 49"};
    for (double n : {0, 1, 4, 6, 8, 9})
        addRow(n, "below ten, Esatto and the result", esatto);
    for (double n : {11, 15, 16, 17, 19, 20, 22, 24, 25, 28, 29, 30})
        addRow(n, "above ten, Giusto and the result", giusto);
    for (double n : {3, 7})
        addRow(n, "Esatto, the name, the result", {"Speak Esatto", "Speak Lucia", "Speak 49"});
    for (double n : {12, 21, 26})
        addRow(n, "Giusto, the name, the result", {"Speak Giusto", "Speak Lucia", "Speak 49"});
    addRow(2, "Esatto, the result, then congratulate and Sei grande",
           {"Speak Esatto", "Speak 49", "Play congratulate", "Speak Sei grande"});
    addRow(5, "Esatto, the result, then domagic1 and Sei forte",
           {"Speak Esatto", "Speak 49", "Play domagic1", "Speak Sei forte"});
    addRow(10, "neither Esatto nor Giusto, the result, then the knight's road",
           {"Speak 49", "Play congratulate", "Speak Sei sulla buona strada per diventare cavaliere"});
    addRow(13, "Giusto, the result, then domagic2 and Sei in gamba",
           {"Speak Giusto", "Speak 49", "Play domagic2", "Speak Sei in gamba"});
    addRow(14, "Giusto, the result, then congratulate and Sei eccezionale",
           {"Speak Giusto", "Speak 49", "Play congratulate", "Speak Sei eccezionale"});
    addRow(18, "Giusto, the result, then congratulate and Sei insuperabile",
           {"Speak Giusto", "Speak 49", "Play congratulate", "Speak Sei insuperabile"});
    addRow(23, "Giusto, the result, then the knighthood",
           {"Speak Giusto", "Speak 49", "Play congratulate",
            "Speak Ti nomino cavaliere della tabellina, il massimo ordine per un eroe"});
    addRow(27, "Giusto, the result, then the invincible champion",
           {"Speak Giusto", "Speak 49", "Play congratulate",
            "Speak Hai lavorato bene mio leale campione: sei invincibile"});

    // The tests are on the number as read, not on a rounded count.
    addRow(9.5, "just below ten is still Esatto", esatto);
    addRow(10.5, "just above ten is already Giusto", giusto);
    addRow(2.5, "between two rungs matches neither", esatto);
    addRow(32767, "the largest count is plain Giusto", giusto);
}

void TestPraiseLadder::saysWhatTheCountCallsFor()
{
    QFETCH(double, n);
    QFETCH(QStringList, said);
    QCOMPARE(describe(engine::praiseLadder(n, name, result)), said);
}

QTEST_GUILESS_MAIN(TestPraiseLadder)
#include "tst_praiseladder.moc"
