#pragma once

#include "progress/gameresult.h"

#include <QList>
#include <QString>

#include <array>

namespace progress {

/// How well a fact is known, from "sicuro" to "da ripassare".
enum class Confidence
{
    Sure,
    Unsure,
    Review,
    Untried
};
inline constexpr std::array allConfidences{Confidence::Sure, Confidence::Unsure, Confidence::Review,
                                           Confidence::Untried};

/// How many of the latest games in which a fact was asked decide its confidence.
inline constexpr int gamesThatDecide = 3;

/// The confidence in one fact from its answers game by game, oldest first: only the last `gamesThatDecide` games
/// that asked it count, so a fact answered right lately is sure whatever came before. Sure when every answer there
/// was right, to revise when most were wrong, unsure in between, untried when it was never asked.
Confidence confidenceOf(const QList<Answers> &answersGameByGame);

/// The confidence's word, as the window's legend and cells say it.
QString wordFor(Confidence confidence);

} // namespace progress
