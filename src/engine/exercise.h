#pragma once

#include "engine/randomsource.h"

#include <QtGlobal>

namespace engine {

/// One exercise of the table of 7 and the green level of its background.
struct Exercise
{
    qint16 factor1 = 7;
    qint16 factor2 = 1;
    qint16 product = 7;
    qint16 tintLevel = 1;
};

/// A whole number from 1 to 10 from one fraction: floor(r * 10) + 1.
qint16 oneToTen(float fraction);

/// Reseeds `random`, then draws the tint first and the second factor second.
Exercise drawExercise(RandomSource &random);

} // namespace engine
