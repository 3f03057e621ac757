#include "engine/practicedraw.h"
#include "engine/round.h"

#include "support/fakerandom.h"

#include <QTest>

#include <random>

using progress::Confidence;
using Confidences = std::array<Confidence, progress::factCount>;

Q_DECLARE_METATYPE(Confidences)

namespace {

constexpr Confidence review = Confidence::Review;
constexpr Confidence unsure = Confidence::Unsure;
constexpr Confidence untried = Confidence::Untried;
constexpr Confidence sure = Confidence::Sure;

/// Fractions from a fixed seed; reseeding keeps the sequence going, so that draws stay reproducible.
class SeededRandom final : public engine::RandomSource
{
public:
    void reseed() override {}
    float nextFraction() override { return std::uniform_real_distribution<float>(0.0f, 1.0f)(m_generator); }

private:
    std::mt19937 m_generator{29};
};

Confidences allOf(Confidence confidence)
{
    Confidences all;
    all.fill(confidence);
    return all;
}

} // namespace

class TestPracticeDraw : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFactsToReviseComeMostAndEveryFactKeepsComing_data();
    void theFactsToReviseComeMostAndEveryFactKeepsComing();
    void anEvenHistoryDrawsAsTheOrdinaryGame_data();
    void anEvenHistoryDrawsAsTheOrdinaryGame();
};

void TestPracticeDraw::theFactsToReviseComeMostAndEveryFactKeepsComing_data()
{
    QTest::addColumn<Confidences>("confidences");
    QTest::addColumn<QString>("announcement");
    QTest::newRow("7 × 6 and 7 × 8 to revise among sure facts")
        << Confidences{sure, sure, sure, sure, sure, review, sure, review, sure, sure}
        << "Oggi ripassiamo soprattutto 7 per 6 e 7 per 8";
    QTest::newRow("one fact to revise among facts of every kind")
        << Confidences{untried, sure, unsure, sure, untried, sure, review, unsure, sure, sure}
        << "Oggi ripassiamo soprattutto 7 per 7";
    QTest::newRow("half the facts to revise: three of them named")
        << Confidences{review, review, sure, review, sure, review, sure, sure, review, sure}
        << "Oggi ripassiamo soprattutto 7 per 1, 7 per 2 e 7 per 4";
}

void TestPracticeDraw::theFactsToReviseComeMostAndEveryFactKeepsComing()
{
    // Over 10,000 draws each fact to revise comes at least three times as often as each sure one, every 30
    // exercises in a row hold every fact, and no exercise follows itself.
    QFETCH(Confidences, confidences);
    QFETCH(QString, announcement);
    const engine::PracticeWeights weights = engine::practiceWeights(confidences);
    QCOMPARE(engine::practiceAnnouncement(weights), announcement);

    SeededRandom random;
    engine::RecentDraws recent;
    std::array<int, progress::factCount> counts{};
    std::array<int, progress::factCount> lastSeen;
    lastSeen.fill(-1);
    for (int draw = 0; draw < 10000; ++draw) {
        const engine::Exercise exercise = engine::drawPracticeExercise(random, weights, recent);
        QVERIFY2(exercise.factor2 != recent.lastFactor, qPrintable(QString::number(draw)));
        QCOMPARE(exercise.product, 7 * exercise.factor2);
        recent = recent.after(exercise.factor2);
        ++counts[exercise.factor2 - 1];
        lastSeen[exercise.factor2 - 1] = draw;
        for (int fact = 0; fact < progress::factCount; ++fact)
            QVERIFY2(draw - lastSeen[fact] < engine::guardDraws,
                     qPrintable(QStringLiteral("7 × %1 missing at draw %2").arg(fact + 1).arg(draw)));
    }
    for (int toRevise = 0; toRevise < progress::factCount; ++toRevise) {
        for (int sureFact = 0; sureFact < progress::factCount; ++sureFact) {
            if (confidences[toRevise] == review && confidences[sureFact] == sure)
                QVERIFY2(counts[toRevise] >= 3 * counts[sureFact], qPrintable(QStringLiteral("7 × %1: %2, 7 × %3: %4")
                                                                                  .arg(toRevise + 1)
                                                                                  .arg(counts[toRevise])
                                                                                  .arg(sureFact + 1)
                                                                                  .arg(counts[sureFact])));
        }
    }
}

void TestPracticeDraw::anEvenHistoryDrawsAsTheOrdinaryGame_data()
{
    QTest::addColumn<Confidences>("confidences");
    // A history that cannot be read is read as none: every fact untried.
    QTest::newRow("no history, or one that cannot be read") << allOf(untried);
    QTest::newRow("every fact sure") << allOf(sure);
    QTest::newRow("every fact to revise") << allOf(review);
}

void TestPracticeDraw::anEvenHistoryDrawsAsTheOrdinaryGame()
{
    // The same fractions give the same exercises as an ordinary round, the same exercise twice in a row included.
    QFETCH(Confidences, confidences);
    const QList<float> fractions{0.1f, 0.55f, 0.3f, 0.55f, 0.9f, 0.05f, 0.2f, 0.99f};
    engine::Round practice(std::make_unique<FakeRandom>(fractions));
    engine::Round ordinary(std::make_unique<FakeRandom>(fractions));
    const engine::PracticeWeights weights = engine::practiceWeights(confidences);
    practice.practise(weights);
    QCOMPARE(engine::practiceAnnouncement(weights), QStringLiteral("Oggi ripassiamo tutta la tabellina"));
    for (int draw = 0; draw < 8; ++draw) {
        practice.nextExercise();
        ordinary.nextExercise();
        QCOMPARE(practice.exercise().factor2, ordinary.exercise().factor2);
        QCOMPARE(practice.exercise().tintLevel, ordinary.exercise().tintLevel);
    }
}

QTEST_GUILESS_MAIN(TestPracticeDraw)
#include "tst_practicedraw.moc"
