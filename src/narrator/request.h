#pragma once

#include <QString>

namespace narrator {

/// One thing the character is asked to do, in the order the game asked for it.
struct Request
{
    enum class Kind
    {
        Show,
        MoveTo,
        Play,
        Height,
        Speak
    };

    Kind kind = Kind::Show;
    QString text; ///< the animation of Play, the words of Speak
    int x = 0;    ///< MoveTo, screen pixels
    int y = 0;
    int pixels = 0; ///< Height

    static Request show() { return {Kind::Show, {}, 0, 0, 0}; }
    static Request moveTo(int x, int y) { return {Kind::MoveTo, {}, x, y, 0}; }
    static Request play(const QString &animation) { return {Kind::Play, animation, 0, 0, 0}; }
    static Request height(int pixels) { return {Kind::Height, {}, 0, 0, pixels}; }
    static Request speak(const QString &text) { return {Kind::Speak, text, 0, 0, 0}; }

    /// A readable form for logs and tests: "Show", "MoveTo 250 175", "Play Greet", "Height 205", "Speak per".
    QString describe() const;
    bool operator==(const Request &) const = default;
};

} // namespace narrator
