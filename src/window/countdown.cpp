#include "window/tavola.h"

#include "clock/clockreading.h"

#include <QTimer>

namespace window {

void Tavola::ResetClock()
{
    Timer1->start();
    const countdown::ClockReading start = countdown::ClockReading::sevenMinutes();
    clockHours = start.hours;
    clockMinutes = start.minutes;
    clockSeconds = start.seconds;
}

void Tavola::Timer1_Timer()
{
    // Time is up when the display, not the clock fields, reads zero: the start display with
    // full stops therefore counts down first, and the game ends one tick after zero is shown.
    if (lblconto->text() == countdown::expiredDisplay) {
        cmdExit1_Click();
        return;
    }
    const countdown::ClockReading next = countdown::ClockReading{clockHours, clockMinutes, clockSeconds}.ticked();
    clockHours = next.hours;
    clockMinutes = next.minutes;
    clockSeconds = next.seconds;
    lblconto->setText(next.display());
}

} // namespace window
