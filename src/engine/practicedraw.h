#pragma once

#include "engine/exercise.h"
#include "engine/randomsource.h"
#include "progress/factconfidence.h"

#include <QList>
#include <QString>

#include <array>

/// The draw of a ripasso game: the facts a child still misses come most often.
namespace engine {

/// A fact not drawn for this many exercises comes back within them, whatever its weight.
inline constexpr int guardDraws = 30;

/// How often a ripasso game asks each fact 7 × 1 … 7 × 10, by how well the child knows it.
struct PracticeWeights
{
    std::array<int, progress::factCount> byFact{};

    /// Every fact weighs the same: the game draws as the ordinary one does.
    bool isEven() const;
    /// The second factors weighing most, at most three, smallest first; none when the weights are even.
    QList<int> mostAsked() const;
};

/// Facts to revise weigh most, unsure ones next, facts never asked next, sure facts least.
PracticeWeights practiceWeights(const std::array<progress::Confidence, progress::factCount> &confidences);

/// What Merlin says a ripasso game will ask: "Oggi ripassiamo soprattutto 7 per 6 e 7 per 8".
QString practiceAnnouncement(const PracticeWeights &weights);

/// The draws so far of a ripasso game: how many exercises ago each fact came, and the last second factor.
struct RecentDraws
{
    std::array<int, progress::factCount> sinceDrawn{};
    int lastFactor = 0; ///< none before the first exercise

    /// The draws once `factor` has come too.
    RecentDraws after(int factor) const;
};

/// Reseeds, draws the tint, then the second factor by `weights`, never the last one again; a fact that would
/// otherwise miss `guardDraws` exercises in a row comes now.
Exercise drawPracticeExercise(RandomSource &random, const PracticeWeights &weights, const RecentDraws &recent);

} // namespace engine
