#include "countdown/clockreading.h"

#include <QTest>

using countdown::ClockReading;

class TestClockReading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsAtLeastTwoDigitsWithTheSignInFront_data();
    void formatsAtLeastTwoDigitsWithTheSignInFront();
    void aGameCountsDownOneSecondPerTick_data();
    void aGameCountsDownOneSecondPerTick();
    void borrowsFromTheNextFieldWhenTheSecondsStandAtZero_data();
    void borrowsFromTheNextFieldWhenTheSecondsStandAtZero();
};

void TestClockReading::formatsAtLeastTwoDigitsWithTheSignInFront_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero is padded") << 0.0 << "00";
    QTest::newRow("one digit is padded") << 7.0 << "07";
    QTest::newRow("two digits stay") << 59.0 << "59";
    QTest::newRow("more digits are not cut") << 123.0 << "123";
    QTest::newRow("the minus sign stays in front of the padding") << -1.0 << "-01";
    QTest::newRow("fractions round to the nearest whole number") << 6.6 << "07";
}

void TestClockReading::formatsAtLeastTwoDigitsWithTheSignInFront()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(countdown::formatTwoDigits(value), text);
}

void TestClockReading::aGameCountsDownOneSecondPerTick_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("display");
    QTest::newRow("before any tick") << 0 << "00:07:00";
    QTest::newRow("the first tick borrows a minute") << 1 << "00:06:59";
    QTest::newRow("the 60th tick ends on a whole minute") << 60 << "00:06:00";
    QTest::newRow("the 61st tick borrows the next minute") << 61 << "00:05:59";
    QTest::newRow("the 419th tick leaves one second") << 419 << "00:00:01";
    QTest::newRow("the 420th tick reaches zero") << 420 << "00:00:00";
}

void TestClockReading::aGameCountsDownOneSecondPerTick()
{
    QFETCH(int, ticks);
    QFETCH(QString, display);
    ClockReading reading = ClockReading::sevenMinutes();
    for (int i = 0; i < ticks; ++i)
        reading = reading.ticked();
    QCOMPARE(reading.display(), display);
}

void TestClockReading::borrowsFromTheNextFieldWhenTheSecondsStandAtZero_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("display");
    QTest::newRow("seconds above zero just count down") << 0 << 3 << 30.0f << "00:03:29";
    QTest::newRow("an hour is borrowed when minutes are zero") << 1 << 0 << 0.0f << "00:59:59";
    QTest::newRow("minutes go before hours") << 2 << 5 << 0.0f << "02:04:59";
    QTest::newRow("nothing to borrow drops below zero seconds") << 0 << 0 << 0.0f << "00:00:-01";
    QTest::newRow("negative hours are cleared when nothing is left") << -1 << 0 << 0.0f << "00:00:-01";
    QTest::newRow("negative minutes borrow nothing") << 0 << -1 << 0.0f << "00:-01:-01";
}

void TestClockReading::borrowsFromTheNextFieldWhenTheSecondsStandAtZero()
{
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(float, seconds);
    QFETCH(QString, display);
    const ClockReading reading{qint16(hours), qint16(minutes), seconds};
    QCOMPARE(reading.ticked().display(), display);
}

QTEST_GUILESS_MAIN(TestClockReading)
#include "tst_clockreading.moc"
