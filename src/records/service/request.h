#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

/// The requests a game sends the record service: one line each, ending in a line feed.
namespace records::service {

/// "read": the pair as it stands.
struct ReadRequest
{};

/// "begin": a ticket for a game whose countdown starts now.
struct BeginRequest
{};

/// "save <ticket> <score> <name>": the name is everything after the third blank, as sent.
struct SaveRequest
{
    std::string ticket;
    std::string score;
    std::string name;
};

/// A request that is none of these, with why, in Italian.
struct BadRequest
{
    std::string reason;
};

using Request = std::variant<ReadRequest, BeginRequest, SaveRequest, BadRequest>;

/// The request of `line` (without its line feed).
Request parseRequest(std::string_view line);

/// The text up to the next blank (all of it when there is none), taken off the front of `rest` with that blank.
std::string_view takeWord(std::string_view &rest);

/// Digits only, no leading zero, 0 to highestScore: the score, or nothing.
std::optional<int> readScore(std::string_view text);

} // namespace records::service
