#include "narrator/clearspot.h"

#include <QTest>

class TestClearSpot : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void movesAsLittleAsItTakes_data();
    void movesAsLittleAsItTakes();
};

void TestClearSpot::movesAsLittleAsItTakes_data()
{
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QRect>("obstacle");
    QTest::addColumn<QRect>("room");
    QTest::addColumn<QRect>("spot");
    const QRect room(0, 0, 200, 200);
    const QRect atTheRightEdge(180, 30, 20, 30);
    QTest::newRow("a clear spot stays") << QRect(0, 0, 10, 10) << QRect(20, 20, 10, 10) << room << QRect(0, 0, 10, 10);
    QTest::newRow("off an obstacle by its nearest side")
        << QRect(50, 40, 10, 10) << QRect(30, 30, 30, 30) << room << QRect(60, 40, 10, 10);
    QTest::newRow("the long way round rather than out of the room")
        << QRect(188, 40, 10, 10) << atTheRightEdge << room << QRect(170, 40, 10, 10);
    QTest::newRow("an invalid room sets no bounds")
        << QRect(188, 40, 10, 10) << atTheRightEdge << QRect() << QRect(200, 40, 10, 10);
    QTest::newRow("partly off the screen rather than over what must stay in sight")
        << QRect(10, 10, 10, 10) << room << room << QRect(10, -10, 10, 10);
}

void TestClearSpot::movesAsLittleAsItTakes()
{
    QFETCH(QRect, wanted);
    QFETCH(QRect, obstacle);
    QFETCH(QRect, room);
    QFETCH(QRect, spot);
    QCOMPARE(narrator::nearestClearSpot(wanted, {obstacle}, room), spot);
}

QTEST_GUILESS_MAIN(TestClearSpot)
#include "tst_clearspot.moc"
