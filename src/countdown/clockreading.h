#pragma once

#include <QString>
#include <QtGlobal>

// Not `clock`: that name is taken by the C library's clock() in the global namespace.
namespace countdown {

/// What the countdown display reads when the game starts, with full stops: it never counts as expired.
inline const QString startDisplay = QStringLiteral("00.07.00");

/// Writes `value` rounded to a whole number with at least two digits, zero-padded; a minus sign
/// stays in front of the padding ("-05").
QString formatTwoDigits(double value);

/// One reading of the game clock: hours, minutes and seconds as the display shows them.
struct ClockReading
{
    qint16 hours = 0;
    qint16 minutes = 0;
    float seconds = 0;

    /// The reading a new game starts from: seven minutes.
    static constexpr ClockReading sevenMinutes() { return {0, 7, 0}; }

    /// The reading one second later, borrowing a minute or an hour when the seconds stand at 0.
    ClockReading ticked() const;
    /// "hh:mm:ss", each field formatted with formatTwoDigits().
    QString display() const;
    /// Whether the display reads zero in every field.
    bool isZero() const;
};

} // namespace countdown
