#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace commandline {

/// What the arguments after the program's name ask for.
enum class Request
{
    PlayGame,
    ShowProgress,
    ShowHelp,
    ShowVersion,
    Refuse
};

struct Reading
{
    Request request = Request::PlayGame;
    std::string_view refused; ///< the first argument that is not an option of the program
};

/// The game has no configuration: `--progress`, `--help` and `--version` are its only options, the first one given
/// wins.
Reading read(std::span<const char *const> arguments);

/// Answers `--help`, `--version` and wrong arguments on `out` and `err`, before any display is needed.
/// Returns the exit status, or nothing when the game or the progress window should start.
std::optional<int> answer(std::span<const char *const> arguments, std::ostream &out, std::ostream &err);

} // namespace commandline
