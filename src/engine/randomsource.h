#pragma once

#include <random>

namespace engine {

/// Where the game's random fractions come from; tests pass a fixed sequence instead.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    /// Starts a new sequence seeded from the system clock.
    virtual void reseed() = 0;
    /// A uniform fraction r with 0 <= r < 1.
    virtual float nextFraction() = 0;
};

class ClockSeededRandom final : public RandomSource
{
public:
    void reseed() override;
    float nextFraction() override;

private:
    std::mt19937 m_generator;
};

} // namespace engine
