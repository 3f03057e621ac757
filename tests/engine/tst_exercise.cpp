#include "engine/exercise.h"

#include "support/fakerandom.h"

#include <QTest>

class TestExercise : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mapsFractionsOntoOneToTen_data();
    void mapsFractionsOntoOneToTen();
    void drawsTheTintFirstAndTheSecondFactorSecond();
    void reseedsAtEveryExercise();
    void theClockSeededSourceReachesEveryValue();
};

void TestExercise::mapsFractionsOntoOneToTen_data()
{
    QTest::addColumn<float>("fraction");
    QTest::addColumn<int>("value");
    QTest::newRow("zero is one") << 0.0f << 1;
    QTest::newRow("just below a tenth is one") << 0.0999f << 1;
    QTest::newRow("a tenth is two") << 0.1f << 2;
    QTest::newRow("a half is six") << 0.5f << 6;
    QTest::newRow("just below one is ten") << 0.99999994f << 10;
}

void TestExercise::mapsFractionsOntoOneToTen()
{
    QFETCH(float, fraction);
    QFETCH(int, value);
    QCOMPARE(engine::oneToTen(fraction), value);
}

void TestExercise::drawsTheTintFirstAndTheSecondFactorSecond()
{
    FakeRandom random({0.05f, 0.25f});
    const engine::Exercise exercise = engine::drawExercise(random);
    QCOMPARE(exercise.factor1, 7);
    QCOMPARE(exercise.tintLevel, 1);
    QCOMPARE(exercise.factor2, 3);
    QCOMPARE(exercise.product, 21);
}

void TestExercise::reseedsAtEveryExercise()
{
    FakeRandom random({0.5f});
    engine::drawExercise(random);
    engine::drawExercise(random);
    QCOMPARE(random.reseeds, 2);
}

void TestExercise::theClockSeededSourceReachesEveryValue()
{
    engine::ClockSeededRandom random;
    QSet<int> factors, tints;
    for (int i = 0; i < 2000; ++i) {
        const engine::Exercise exercise = engine::drawExercise(random);
        factors.insert(exercise.factor2);
        tints.insert(exercise.tintLevel);
        QCOMPARE(exercise.product, 7 * exercise.factor2);
    }
    const QSet<int> oneToTen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QCOMPARE(factors, oneToTen);
    QCOMPARE(tints, oneToTen);
}

QTEST_GUILESS_MAIN(TestExercise)
#include "tst_exercise.moc"
