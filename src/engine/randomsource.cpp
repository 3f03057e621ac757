#include "engine/randomsource.h"

#include <chrono>

namespace engine {

void ClockSeededRandom::reseed()
{
    // Nanoseconds, so that two exercises asked for within one second still differ.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch();
    m_generator.seed(static_cast<std::mt19937::result_type>(std::chrono::nanoseconds(now).count()));
}

float ClockSeededRandom::nextFraction()
{
    return std::uniform_real_distribution<float>(0.0f, 1.0f)(m_generator);
}

} // namespace engine
