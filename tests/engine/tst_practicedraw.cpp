#include "engine/practicedraw.h"
#include "engine/round.h"

#include "support/fakerandom.h"

#include <QTest>

#include <random>

using Confidences = std::array<progress::Confidence, progress::factCount>;
using enum progress::Confidence;

Q_DECLARE_METATYPE(Confidences)

namespace {

/// Fractions from a fixed seed; reseeding keeps the sequence going, so that draws stay reproducible.
class SeededRandom final : public engine::RandomSource
{
public:
    void reseed() override {}
    float nextFraction() override { return std::uniform_real_distribution<float>(0.0f, 1.0f)(m_generator); }

private:
    std::mt19937 m_generator{29};
};

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
        << Confidences{Sure, Sure, Sure, Sure, Sure, Review, Sure, Review, Sure, Sure}
        << "Oggi ripassiamo soprattutto 7 per 6 e 7 per 8";
    QTest::newRow("one fact to revise among facts of every kind")
        << Confidences{Untried, Sure, Unsure, Sure, Untried, Sure, Review, Unsure, Sure, Sure}
        << "Oggi ripassiamo soprattutto 7 per 7";
    QTest::newRow("half the facts to revise: three of them named")
        << Confidences{Review, Review, Sure, Review, Sure, Review, Sure, Sure, Review, Sure}
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
    std::array<int, progress::factCount> lastSeen{};
    lastSeen.fill(-1);
    for (int draw = 0; draw < 10000; ++draw) {
        const int factor = engine::drawPracticeExercise(random, weights, recent).factor2;
        QVERIFY(factor != recent.lastFactor);
        recent = recent.after(factor);
        ++counts[factor - 1];
        lastSeen[factor - 1] = draw;
        for (const int seen : lastSeen)
            QVERIFY2(draw - seen < engine::guardDraws, qPrintable(QString::number(draw)));
    }
    for (int toRevise = 0; toRevise < progress::factCount; ++toRevise) {
        for (int sure = 0; sure < progress::factCount; ++sure) {
            if (confidences[toRevise] == Review && confidences[sure] == Sure)
                QCOMPARE_GE(counts[toRevise], 3 * counts[sure]);
        }
    }
}

void TestPracticeDraw::anEvenHistoryDrawsAsTheOrdinaryGame_data()
{
    QTest::addColumn<progress::Confidence>("everyFact");
    // A history that cannot be read is read as none: every fact untried.
    QTest::newRow("no history, or one that cannot be read") << Untried;
    QTest::newRow("every fact sure") << Sure;
    QTest::newRow("every fact to revise") << Review;
}

void TestPracticeDraw::anEvenHistoryDrawsAsTheOrdinaryGame()
{
    // The same fractions give the same exercises as an ordinary round, the same exercise twice in a row included.
    QFETCH(progress::Confidence, everyFact);
    Confidences confidences;
    confidences.fill(everyFact);
    const QList<float> fractions{0.1f, 0.55f, 0.3f, 0.55f, 0.9f, 0.05f, 0.2f, 0.99f};
    engine::Round practice(std::make_unique<FakeRandom>(fractions));
    engine::Round ordinary(std::make_unique<FakeRandom>(fractions));
    practice.practise(engine::practiceWeights(confidences));
    QCOMPARE(engine::practiceAnnouncement(engine::practiceWeights(confidences)),
             QStringLiteral("Oggi ripassiamo tutta la tabellina"));
    for (int draw = 0; draw < 4; ++draw) {
        practice.nextExercise();
        ordinary.nextExercise();
        QCOMPARE(practice.exercise().factor2, ordinary.exercise().factor2);
        QCOMPARE(practice.exercise().tintLevel, ordinary.exercise().tintLevel);
    }
}

QTEST_GUILESS_MAIN(TestPracticeDraw)
#include "tst_practicedraw.moc"
