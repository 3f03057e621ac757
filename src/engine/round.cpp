#include "engine/round.h"

#include "engine/int16.h"

#include <QTimer>

namespace engine {
namespace {

constexpr int secondMilliseconds = 1000;

} // namespace

Round::Round(std::unique_ptr<RandomSource> random, QObject *parent)
    : QObject(parent), m_random(std::move(random)), m_ticks(new QTimer(this))
{
    m_ticks->setInterval(secondMilliseconds);
    connect(m_ticks, &QTimer::timeout, this, &Round::tick);
}

Round::~Round() = default;

qint16 Round::totalCount() const
{
    return add16(m_rightCount, m_wrongCount);
}

void Round::resetCounts()
{
    m_rightCount = 0;
    m_wrongCount = 0;
    m_answersByFactor = {};
}

const Exercise &Round::nextExercise()
{
    m_exercise = drawExercise(*m_random);
    m_judged = false;
    return m_exercise;
}

std::optional<Verdict> Round::judge(const QString &typed)
{
    if (m_judged)
        return std::nullopt;
    m_judged = true;
    const QString expected = expectedAnswer();
    const bool right = typed == expected;
    const qint16 rightBefore = m_rightCount;
    qint16 &count = right ? m_rightCount : m_wrongCount;
    count = add16(count, 1);
    // The total is a 16-bit count too: past 32767 it is the same "Overflow", raised here rather than while the
    // window shows it.
    totalCount();
    tally(right);
    if (!right)
        return Verdict{false, {}};
    return Verdict{true, praiseLadder(rightBefore, m_playerName, expected)};
}

void Round::tally(bool right)
{
    // Only the table's ten facts are kept: a factor beyond them could only come from a broken random source.
    const int index = m_exercise.factor2 - 1;
    if (index < 0 || index >= int(m_answersByFactor.size()))
        return;
    ++(right ? m_answersByFactor[index].right : m_answersByFactor[index].wrong);
}

void Round::startClock(countdown::ClockReading length)
{
    showClock(m_timeLeft.display());
    m_ticks->start();
    m_timeLeft = length;
}

void Round::showStartDisplay()
{
    showClock(countdown::startDisplay);
}

void Round::stopClock()
{
    m_ticks->stop();
    m_pausedMilliseconds = -1;
}

void Round::pauseClock()
{
    if (!m_ticks->isActive())
        return;
    m_pausedMilliseconds = m_ticks->remainingTime();
    m_ticks->stop();
}

void Round::resumeClock()
{
    if (m_pausedMilliseconds < 0)
        return;
    // The paused second ends first; tick() then goes back to whole seconds.
    m_ticks->start(m_pausedMilliseconds);
    m_pausedMilliseconds = -1;
}

void Round::tick()
{
    if (m_ticks->interval() != secondMilliseconds)
        m_ticks->setInterval(secondMilliseconds);
    if (m_clockDisplay == countdown::expiredDisplay) {
        Q_EMIT timeUp();
        return;
    }
    m_timeLeft = m_timeLeft.ticked();
    showClock(m_timeLeft.display());
}

void Round::showClock(const QString &display)
{
    m_clockDisplay = display;
    Q_EMIT clockDisplayChanged(display);
}

} // namespace engine
