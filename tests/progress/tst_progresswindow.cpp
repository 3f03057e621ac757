#include "progress/progresswindow.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace progress;

class TestProgressWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void theChosenNamesLastThirtyGamesAreChartedAndSummedFactByFact();
    void aHistoryThatCouldNotBeWrittenIsSaid();

private:
    QTemporaryDir m_home;
    QString m_path;
};

void TestProgressWindow::initTestCase()
{
    // Bea's 31 games: the n-th has n right answers, all to 7 × 3, and one wrong, to 7 × 10; then one of Ada's.
    m_path = m_home.filePath(QStringLiteral("history.csv"));
    QDateTime ended = QDateTime::fromString(QStringLiteral("2026-11-01T17:00:00+01:00"), Qt::ISODate);
    for (int game = 1; game <= 31; ++game) {
        GameResult bea{ended.addDays(game), QStringLiteral("Bea"), {game, 1}, {}};
        bea.facts[2] = {game, 0};
        bea.facts[9] = {0, 1};
        QVERIFY(appendGame(m_path, bea).ok());
    }
    QVERIFY(appendGame(m_path, {ended.addDays(40), QStringLiteral("Ada"), {1, 0}, {}}).ok());
}

void TestProgressWindow::theChosenNamesLastThirtyGamesAreChartedAndSummedFactByFact()
{
    ProgressWindow window(m_path, QStringLiteral("Ciro"), QString());
    auto *names = window.findChild<QComboBox *>(QStringLiteral("nameChoice"));
    QCOMPARE(names->itemData(0).toString(), QStringLiteral("Ciro"));
    QCOMPARE(names->itemData(1).toString(), QStringLiteral("Ada"));
    QCOMPARE(names->itemData(2).toString(), QStringLiteral("Bea"));
    names->setCurrentIndex(2);

    // Games 2 … 31, the oldest first: 2 + … + 31 = 495 right answers to 7 × 3, 30 wrong ones to 7 × 10.
    auto *values = window.findChild<QTableWidget *>(QStringLiteral("gameValues"));
    QCOMPARE(values->rowCount(), 30);
    QCOMPARE(values->item(0, 0)->text(), QStringLiteral("03/11 17:00"));
    QCOMPARE(values->item(0, 1)->text(), QStringLiteral("2"));
    QCOMPARE(values->item(29, 1)->text(), QStringLiteral("31"));
    QCOMPARE(values->item(29, 2)->text(), QStringLiteral("1"));
    const QString chart = window.findChild<QChartView *>(QStringLiteral("gamesChart"))->accessibleDescription();
    QVERIFY2(chart.startsWith(QStringLiteral("03/11 17:00: 2 giuste, 1 sbagliata; 04/11 17:00: 3 giuste")),
             qPrintable(chart));

    auto *grid = window.findChild<QTableWidget *>(QStringLiteral("factGrid"));
    QCOMPARE(grid->item(0, 2)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("7 per 3: 495 giuste, 0 sbagliate, sicuro"));
    QCOMPARE(grid->item(1, 4)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("7 per 10: 0 giuste, 30 sbagliate, da ripassare"));
    QCOMPARE(grid->item(0, 0)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("7 per 1: 0 giuste, 0 sbagliate, non ancora chiesto"));
}

void TestProgressWindow::aHistoryThatCouldNotBeWrittenIsSaid()
{
    const QString error = QStringLiteral("Impossibile scrivere lo storico dei progressi in /x: disco pieno");
    ProgressWindow window(m_path, QStringLiteral("Bea"), error);
    bool said = false;
    for (const QLabel *label : window.findChildren<QLabel *>())
        said = said || label->text() == error;
    QVERIFY(said);
}

QTEST_MAIN(TestProgressWindow)
#include "tst_progresswindow.moc"
