#pragma once

#include "engine/randomsource.h"

#include <QList>

/// Hands out a fixed sequence of fractions, over and over; counts the reseeds.
class FakeRandom final : public engine::RandomSource
{
public:
    explicit FakeRandom(QList<float> fractions) : m_fractions(std::move(fractions)) {}

    void reseed() override { ++reseeds; }
    float nextFraction() override { return m_fractions[m_next++ % m_fractions.size()]; }

    int reseeds = 0;

private:
    QList<float> m_fractions;
    qsizetype m_next = 0;
};
