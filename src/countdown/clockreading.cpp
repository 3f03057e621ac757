#include "countdown/clockreading.h"

#include <cmath>

namespace countdown {

QString formatTwoDigits(double value)
{
    const long long whole = std::llround(value);
    const QString digits = QString::number(std::llabs(whole)).rightJustified(2, QLatin1Char('0'));
    return whole < 0 ? QLatin1Char('-') + digits : digits;
}

ClockReading ClockReading::ticked() const
{
    ClockReading next = *this;
    if (next.seconds == 0) {
        if (next.minutes > 0) {
            --next.minutes;
            next.seconds = 60;
        } else if (next.minutes == 0) {
            if (next.hours > 0) {
                --next.hours;
                next.minutes = 59;
                next.seconds = 60;
            } else {
                next.hours = 0;
                next.minutes = 0;
            }
        }
        // A negative minute count borrows nothing.
    }
    next.seconds -= 1;
    return next;
}

bool ClockReading::isZero() const
{
    return hours == 0 && minutes == 0 && std::llround(seconds) == 0;
}

QString ClockReading::display() const
{
    return formatTwoDigits(hours) + QLatin1Char(':') + formatTwoDigits(minutes) + QLatin1Char(':') +
           formatTwoDigits(seconds);
}

} // namespace countdown
