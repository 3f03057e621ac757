#include "engine/practicedraw.h"

#include <QStringList>

#include <algorithm>

namespace engine {
namespace {

constexpr int mostAskedNamed = 3;

int weightOf(progress::Confidence confidence)
{
    switch (confidence) {
    case progress::Confidence::Review:
        return 12;
    case progress::Confidence::Unsure:
        return 6;
    case progress::Confidence::Untried:
        return 3;
    case progress::Confidence::Sure:
        break;
    }
    return 1;
}

// The fact that must come now for every fact to come within its guard: the one closest to missing it, once some k
// facts have no more than k draws left. Drawing freely until then still leaves each fact its turn.
int dueFact(const RecentDraws &recent)
{
    std::array<int, progress::factCount> drawsLeft{};
    for (int fact = 0; fact < progress::factCount; ++fact)
        drawsLeft[fact] = guardDraws - recent.sinceDrawn[fact];
    std::array<int, progress::factCount> byUrgency = drawsLeft;
    std::sort(byUrgency.begin(), byUrgency.end());
    for (int k = 1; k <= progress::factCount; ++k) {
        if (byUrgency[k - 1] <= k)
            return int(std::min_element(drawsLeft.cbegin(), drawsLeft.cend()) - drawsLeft.cbegin());
    }
    return -1;
}

int weightedFact(float fraction, const PracticeWeights &weights, int excluded)
{
    int total = 0;
    for (int fact = 0; fact < progress::factCount; ++fact)
        total += fact == excluded ? 0 : weights.byFact[fact];
    // A fraction just below 1 must not reach past the last fact.
    int pick = std::clamp(int(fraction * float(total)), 0, total - 1);
    for (int fact = 0; fact < progress::factCount; ++fact) {
        if (fact == excluded)
            continue;
        if (pick < weights.byFact[fact])
            return fact;
        pick -= weights.byFact[fact];
    }
    return excluded == 0 ? 1 : 0;
}

QString factInWords(int factor)
{
    return QStringLiteral("7 per %1").arg(factor);
}

} // namespace

bool PracticeWeights::isEven() const
{
    return std::adjacent_find(byFact.cbegin(), byFact.cend(), std::not_equal_to<>()) == byFact.cend();
}

QList<int> PracticeWeights::mostAsked() const
{
    if (isEven())
        return {};
    const int heaviest = *std::max_element(byFact.cbegin(), byFact.cend());
    QList<int> factors;
    for (int fact = 0; fact < progress::factCount && factors.size() < mostAskedNamed; ++fact) {
        if (byFact[fact] == heaviest)
            factors += fact + 1;
    }
    return factors;
}

PracticeWeights practiceWeights(const std::array<progress::Confidence, progress::factCount> &confidences)
{
    PracticeWeights weights;
    std::transform(confidences.cbegin(), confidences.cend(), weights.byFact.begin(), weightOf);
    return weights;
}

QString practiceAnnouncement(const PracticeWeights &weights)
{
    const QList<int> factors = weights.mostAsked();
    if (factors.isEmpty())
        return QStringLiteral("Oggi ripassiamo tutta la tabellina");
    QStringList facts;
    for (const int factor : factors)
        facts += factInWords(factor);
    const QString last = facts.takeLast();
    return QStringLiteral("Oggi ripassiamo soprattutto ") +
           (facts.isEmpty() ? last : facts.join(QStringLiteral(", ")) + QStringLiteral(" e ") + last);
}

RecentDraws RecentDraws::after(int factor) const
{
    RecentDraws next = *this;
    for (int &since : next.sinceDrawn)
        ++since;
    next.sinceDrawn[factor - 1] = 0;
    next.lastFactor = factor;
    return next;
}

Exercise drawPracticeExercise(RandomSource &random, const PracticeWeights &weights, const RecentDraws &recent)
{
    random.reseed();
    Exercise exercise;
    exercise.factor1 = 7;
    exercise.tintLevel = oneToTen(random.nextFraction());
    const float fraction = random.nextFraction();
    const int due = dueFact(recent);
    exercise.factor2 = qint16((due >= 0 ? due : weightedFact(fraction, weights, recent.lastFactor - 1)) + 1);
    exercise.product = qint16(exercise.factor2 * exercise.factor1);
    return exercise;
}

} // namespace engine
