#include "engine/round.h"

#include <QTimer>

#include <limits>

namespace engine {
namespace {

constexpr int secondMilliseconds = 1000;

// Line ends, tabs and the other control characters would break the greeting, the labels and the record file's one
// line: each becomes a blank. Every other character stays as typed.
QString withControlsBlanked(QString name)
{
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return name;
}

// The game's whole numbers are 16-bit signed.
bool fitsInt16(int value)
{
    return value <= std::numeric_limits<qint16>::max();
}

} // namespace

Round::Round(std::unique_ptr<RandomSource> random, QObject *parent)
    : QObject(parent), m_random(std::move(random)), m_ticks(new QTimer(this))
{
    m_ticks->setInterval(secondMilliseconds);
    connect(m_ticks, &QTimer::timeout, this, &Round::tick);
}

Round::~Round() = default;

void Round::name(const QString &typed)
{
    setCounts(0, 0);
    m_answersByFactor = {};
    m_typedName = withControlsBlanked(typed);
    m_playerName = m_typedName.isEmpty() ? QStringLiteral("Amico") : m_typedName;
    m_phase = Phase::Named;
    Q_EMIT playerNameChanged(m_playerName);
}

void Round::begin()
{
    nextExercise();
    // The first exercise is set while both counts read 0.
    setCounts(0, 0);
    m_answersByFactor = {};
    m_shown.reset();
    Q_EMIT clockDisplayChanged(countdown::startDisplay);
    m_phase = Phase::Playing;
}

void Round::nextExercise()
{
    m_exercise = drawExercise(*m_random);
    m_judged = false;
    Q_EMIT exerciseChanged(m_exercise);
}

void Round::judge(const QString &typed)
{
    if (m_judged)
        return;
    const bool right = typed == expectedAnswer();
    const int rightAfter = m_rightCount + (right ? 1 : 0);
    const int wrongAfter = m_wrongCount + (right ? 0 : 1);
    if (!fitsInt16(rightAfter) || !fitsInt16(wrongAfter) || !fitsInt16(rightAfter + wrongAfter)) {
        Q_EMIT overflowed();
        return;
    }
    m_judged = true;
    const qint16 rightBefore = m_rightCount;
    tally(right);
    setCounts(qint16(rightAfter), qint16(wrongAfter));
    Verdict verdict{right, expectedAnswer(), {}};
    if (right)
        verdict.praise = praiseLadder(rightBefore, m_playerName, verdict.expected);
    Q_EMIT judged(verdict);
}

void Round::end()
{
    // Time that runs out while the goodbye waits would otherwise be announced again and again.
    m_ticks->stop();
    m_pausedMilliseconds = -1;
    if (m_phase == Phase::Ended)
        return;
    m_phase = Phase::Ended;
    Q_EMIT ended();
}

void Round::setCounts(qint16 right, qint16 wrong)
{
    m_rightCount = right;
    m_wrongCount = wrong;
    Q_EMIT countsChanged(right, wrong, right + wrong);
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
    showTimeLeft();
    m_ticks->start();
    m_timeLeft = length;
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
    if (m_phase == Phase::Ended)
        return;
    if (m_shown && m_shown->isZero()) {
        end();
        return;
    }
    m_timeLeft = m_timeLeft.ticked();
    showTimeLeft();
}

void Round::showTimeLeft()
{
    m_shown = m_timeLeft;
    Q_EMIT clockDisplayChanged(m_timeLeft.display());
}

} // namespace engine
