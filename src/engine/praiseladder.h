#pragma once

#include <QList>
#include <QString>

namespace engine {

/// One thing the narrator is asked after a right answer: an animation to play or words to say.
struct Praise
{
    enum class Kind
    {
        Play,
        Speak
    };

    Kind kind = Kind::Speak;
    QString text; ///< the animation of Play, the words of Speak

    static Praise play(const QString &animation) { return {Kind::Play, animation}; }
    static Praise speak(const QString &words) { return {Kind::Speak, words}; }

    bool operator==(const Praise &) const = default;
};

/// What the narrator adds after a right answer when `shownCount` right answers were shown before
/// it: the requests of every rung whose test holds, in the ladder's order. `name` is the player's
/// name and `result` the right result, both as the narrator is to say them.
QList<Praise> praiseLadder(double shownCount, const QString &name, const QString &result);

} // namespace engine
