#pragma once

#include <QDateTime>
#include <QString>

#include <array>

namespace progress {

/// Right and wrong answers to one question or over a set of them.
struct Answers
{
    int right = 0;
    int wrong = 0;

    friend bool operator==(const Answers &, const Answers &) = default;
};

/// The facts of the table: 7 × 1 … 7 × 10.
inline constexpr int factCount = 10;

/// One ended game: when it ended, who played, the totals, the answers to each fact 7 × (index + 1) and whether it was
/// practice.
struct GameResult
{
    QDateTime ended;
    QString name;
    Answers total;
    std::array<Answers, factCount> facts{};
    /// A ripasso game: practice on the facts the child still misses.
    bool practice = false;

    friend bool operator==(const GameResult &, const GameResult &) = default;
};

} // namespace progress
