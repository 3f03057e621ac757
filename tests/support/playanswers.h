#pragma once

#include "engine/round.h"

/// Judges `right` right and then `wrong` wrong answers on `round`, each on an exercise of its own, as a game that gave
/// them would have.
inline void playAnswers(engine::Round &round, int right, int wrong)
{
    for (int i = 0; i < right + wrong; ++i) {
        round.nextExercise();
        round.judge(i < right ? round.expectedAnswer() : QStringLiteral("x"));
    }
}
