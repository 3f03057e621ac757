#include "progress/progresswindow.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

using namespace progress;

namespace {

/// `count` of Bea's games a day apart, appended newest first: the n-th oldest has n right answers, all to 7 × 3, and
/// one wrong, to 7 × 10.
QString historyOfBea(const QTemporaryDir &home, int count, int right = -1)
{
    const QString path = home.filePath(QStringLiteral("history.csv"));
    QFile::remove(path);
    const QDateTime first = QDateTime::fromString(QStringLiteral("2026-11-02T17:00:00+01:00"), Qt::ISODate);
    for (int game = count; game >= 1; --game) {
        GameResult bea{first.addDays(game - 1), QStringLiteral("Bea"), {right < 0 ? game : right, 1}, {}};
        bea.facts[2] = {bea.total.right, 0};
        bea.facts[9] = {0, 1};
        if (!appendGame(path, bea).ok())
            return {};
    }
    return path;
}

} // namespace

class TestProgressWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theChosenChildsLastThirtyGamesAreChartedInDateOrderAndSummedFactByFact();
    void theChartCountsInWholeStepsAndShowsWholeDatesThatNeverOverlap_data();
    void theChartCountsInWholeStepsAndShowsWholeDatesThatNeverOverlap();
    void aHistoryThatCouldNotBeWrittenIsSaid();

private:
    QTemporaryDir m_home;
};

void TestProgressWindow::theChosenChildsLastThirtyGamesAreChartedInDateOrderAndSummedFactByFact()
{
    const QString path = historyOfBea(m_home, 31);
    QVERIFY(appendGame(path, {QDateTime::currentDateTime(), QStringLiteral("Ada"), {1, 0}, {}}).ok());
    ProgressWindow window(path, QStringLiteral("Ciro"), QString());
    auto *names = window.findChild<QComboBox *>(QStringLiteral("nameChoice"));
    QCOMPARE(names->itemData(0).toString(), QStringLiteral("Ciro"));
    QCOMPARE(names->itemData(1).toString(), QStringLiteral("Ada"));
    QCOMPARE(names->itemData(2).toString(), QStringLiteral("Bea"));
    QCOMPARE(window.accessibleDescription(), QStringLiteral("Nessuna partita ancora con questo nome"));
    names->setCurrentIndex(2);

    // Games 2 … 31, the oldest first: 2 + … + 31 = 495 right answers to 7 × 3, 30 wrong ones to 7 × 10.
    auto *values = window.findChild<QTableWidget *>(QStringLiteral("gameValues"));
    QCOMPARE(values->rowCount(), 30);
    QCOMPARE(values->item(0, 0)->text(), QStringLiteral("03/11/2026 17:00"));
    QCOMPARE(values->item(0, 1)->text(), QStringLiteral("2"));
    QCOMPARE(values->item(29, 1)->text(), QStringLiteral("31"));
    QCOMPARE(values->item(29, 2)->text(), QStringLiteral("1"));
    const QString chart = window.findChild<QChartView *>(QStringLiteral("gamesChart"))->accessibleDescription();
    QVERIFY2(chart.startsWith(QStringLiteral("03/11/2026 17:00: 2 giuste, 1 sbagliata; 04/11/2026 17:00: 3 giuste")),
             qPrintable(chart));

    auto *grid = window.findChild<QTableWidget *>(QStringLiteral("factGrid"));
    QCOMPARE(grid->item(0, 2)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("7 per 3: 495 giuste, 0 sbagliate, sicuro"));
    QCOMPARE(grid->item(1, 4)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("7 per 10: 0 giuste, 30 sbagliate, da ripassare"));
    QCOMPARE(grid->item(0, 0)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("7 per 1: 0 giuste, 0 sbagliate, non ancora chiesto"));
    // The verdict comes first for a screen reader too, and follows the name chosen.
    QVERIFY2(window.accessibleDescription().startsWith(QStringLiteral("Da ripassare: 7 × 10; non ancora chiesti")),
             qPrintable(window.accessibleDescription()));
    QCOMPARE(names->accessibleDescription(), window.findChild<QLabel *>(QStringLiteral("verdict"))->text());
}

void TestProgressWindow::theChartCountsInWholeStepsAndShowsWholeDatesThatNeverOverlap_data()
{
    QTest::addColumn<int>("games");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("ticks");

    QTest::newRow("no games") << 0 << 0 << 1 << 2;
    QTest::newRow("one answer") << 1 << 0 << 1 << 2;
    QTest::newRow("thirty games up to 30 answers") << 30 << -1 << 30 << 4;
    QTest::newRow("a count at the 16-bit top") << 2 << 32767 << 40000 << 5;
}

void TestProgressWindow::theChartCountsInWholeStepsAndShowsWholeDatesThatNeverOverlap()
{
    QFETCH(int, games);
    QFETCH(int, right);
    QFETCH(int, top);
    QFETCH(int, ticks);
    ProgressWindow window(games > 0 ? historyOfBea(m_home, games, right) : m_home.filePath("none.csv"),
                          QStringLiteral("Bea"), QString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *view = window.findChild<QChartView *>(QStringLiteral("gamesChart"));

    auto *counts = qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Vertical).first());
    QCOMPARE(counts->min(), 0.0);
    QCOMPARE(counts->max(), double(top));
    QCOMPARE(counts->tickCount(), ticks);
    QCOMPARE(counts->labelFormat(), QStringLiteral("%d"));

    // Every date drawn is one of the table's, whole, and clear of the others.
    const QStringList dates =
        qobject_cast<QCategoryAxis *>(view->chart()->axes(Qt::Horizontal).first())->categoriesLabels();
    QCOMPARE(dates.isEmpty(), games == 0);
    QList<QRectF> drawn;
    for (const QGraphicsItem *item : view->scene()->items()) {
        const auto *text = dynamic_cast<const QGraphicsTextItem *>(item);
        if (text && text->isVisible() && dates.contains(text->toPlainText()))
            drawn += text->sceneBoundingRect();
    }
    QCOMPARE(drawn.size(), dates.size());
    for (qsizetype one = 0; one < drawn.size(); ++one) {
        for (qsizetype other = one + 1; other < drawn.size(); ++other)
            QVERIFY(!drawn[one].intersects(drawn[other]));
    }
    QVERIFY2(window.frameGeometry().width() <= window.screen()->availableGeometry().width(),
             qPrintable(QString::number(window.frameGeometry().width()) + " " +
                        QString::number(window.minimumSizeHint().width())));
}

void TestProgressWindow::aHistoryThatCouldNotBeWrittenIsSaid()
{
    const QString error = QStringLiteral("Impossibile scrivere lo storico dei progressi in /x: disco pieno");
    ProgressWindow window(historyOfBea(m_home, 1), QStringLiteral("Bea"), error);
    bool said = false;
    for (const QLabel *label : window.findChildren<QLabel *>())
        said = said || label->text() == error;
    QVERIFY(said);
    QVERIFY(window.accessibleDescription().endsWith(error));
}

QTEST_MAIN(TestProgressWindow)
#include "tst_progresswindow.moc"
