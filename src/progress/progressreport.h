#pragma once

#include "progress/gameresult.h"

#include <QList>
#include <QStringList>

#include <array>

/// What the progress window makes of the history, without widgets.
namespace progress {

/// How many of one child's games the window shows.
inline constexpr int gamesShown = 30;

/// The names found in `games` with `current` first, then the others from the most recently played.
QStringList namesFor(const QList<GameResult> &games, const QString &current);

/// The last `count` games played under `name`, oldest first.
QList<GameResult> lastGamesOf(const QList<GameResult> &games, const QString &name, int count = gamesShown);

/// The answers to each fact over `games`.
std::array<Answers, factCount> factTotals(const QList<GameResult> &games);

/// How well a fact is known, from "sicuro" to "da ripassare".
enum class Confidence
{
    Sure,
    AlmostSure,
    Unsure,
    Review,
    Untried
};
inline constexpr std::array allConfidences{Confidence::Sure, Confidence::AlmostSure, Confidence::Unsure,
                                           Confidence::Review, Confidence::Untried};

/// The confidence the answers to one fact show.
Confidence confidenceOf(Answers answers);

/// "5 giuste, 1 sbagliata": the answers as a screen reader says them.
QString answersInWords(Answers answers);

/// The confidence's word, as the window's legend and cells say it.
QString wordFor(Confidence confidence);

} // namespace progress
