#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

/// What the game's file work returns: the value, or the failure said as the user reads it (Italian, naming the
/// path). Nothing of it is thrown, so a caller on the event loop decides what a failure costs.
template <typename T = std::monostate> class Outcome
{
public:
    Outcome(T value) : m_value(std::move(value)) {}
    static Outcome failure(QString why)
    {
        Outcome outcome;
        outcome.m_error = std::move(why);
        return outcome;
    }

    bool ok() const { return m_value.has_value(); }
    /// The value; only when ok().
    const T &value() const { return *m_value; }
    /// Why it failed; empty when ok().
    const QString &error() const { return m_error; }

private:
    Outcome() = default;

    std::optional<T> m_value;
    QString m_error;
};
