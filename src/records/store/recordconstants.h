#pragma once

#include <cstddef>
#include <string_view>

/// What the game, its record service and the record files agree on, stated once: the files' names and the limits of
/// what they hold, show and wait for.
namespace records::store {

inline constexpr std::string_view bestScoreFile = "azerbilox.txt";
inline constexpr std::string_view championFile = "nzerbilox.txt";

/// No more than this is ever read of a record file, whatever it holds.
inline constexpr std::size_t headBytes = 4096;
/// The longest name the name box takes, and the most characters a record line shows.
inline constexpr std::size_t longestLine = 250;
/// A game's score is its count of right answers, a 16-bit whole number.
inline constexpr int highestScore = 32767;
/// The longest a save waits for another save to finish.
inline constexpr int longestWaitSeconds = 5;
/// The longest a game about to start waits for another game's save to finish before it plays without the record:
/// a save takes milliseconds, and a holder stuck for longer must not keep a child from playing.
inline constexpr int longestReadWaitSeconds = 1;

} // namespace records::store
