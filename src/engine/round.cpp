#include "engine/round.h"

#include "engine/int16.h"

#include <QTimer>

namespace engine {

Round::Round(std::unique_ptr<RandomSource> random, QObject *parent)
    : QObject(parent), m_random(std::move(random)), m_ticks(new QTimer(this))
{
    m_ticks->setInterval(1000);
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
    if (typed != expected) {
        m_wrongCount = add16(m_wrongCount, 1);
        return Verdict{false, {}};
    }
    const qint16 rightBefore = m_rightCount;
    m_rightCount = add16(m_rightCount, 1);
    return Verdict{true, praiseLadder(rightBefore, m_playerName, expected)};
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
}

void Round::tick()
{
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
