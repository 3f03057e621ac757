#include "engine/exercise.h"

#include <algorithm>
#include <cmath>

namespace engine {

qint16 oneToTen(float fraction)
{
    // A float just below 1 times 10 can round up to 10.0; keep the result inside 1..10.
    return qint16(std::clamp(int(std::floor(fraction * 10.0f)), 0, 9) + 1);
}

Exercise drawExercise(RandomSource &random)
{
    random.reseed();
    Exercise exercise;
    exercise.factor1 = 7;
    exercise.tintLevel = oneToTen(random.nextFraction());
    exercise.factor2 = oneToTen(random.nextFraction());
    // At most 7 × 10: well inside the game's 16-bit whole numbers.
    exercise.product = qint16(exercise.factor2 * exercise.factor1);
    return exercise;
}

} // namespace engine
