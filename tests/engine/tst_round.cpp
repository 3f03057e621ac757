#include "engine/round.h"

#include "support/fakerandom.h"

#include <QTest>

class TestRound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anExerciseGetsOneVerdict_data();
    void anExerciseGetsOneVerdict();
};

void TestRound::anExerciseGetsOneVerdict_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::newRow("a right answer counts once") << "42" << 1 << 0;
    QTest::newRow("a wrong answer counts once") << "41" << 0 << 1;
}

void TestRound::anExerciseGetsOneVerdict()
{
    QFETCH(QString, typed);
    QFETCH(int, right);
    QFETCH(int, wrong);
    engine::Round round(std::make_unique<FakeRandom>(QList{0.5f}));
    round.nextExercise();
    QCOMPARE(round.judge(typed)->right, right == 1);
    QVERIFY(!round.judge(typed));
    QCOMPARE(round.rightCount(), right);
    QCOMPARE(round.wrongCount(), wrong);

    // The next exercise is open to judging again.
    round.nextExercise();
    QVERIFY(round.judge(typed));
    QCOMPARE(round.totalCount(), 2);
}

QTEST_GUILESS_MAIN(TestRound)
#include "tst_round.moc"
