#pragma once

#include "countdown/clockreading.h"
#include "engine/exercise.h"
#include "engine/praiseladder.h"
#include "engine/randomsource.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>

class QTimer;

namespace engine {

/// What an answer was found to be, and what the narrator adds after a right one.
struct Verdict
{
    bool right = false;
    QList<Praise> praise; ///< empty for a wrong answer
};

/// Right and wrong answers to one exercise of the table.
struct FactorAnswers
{
    int right = 0;
    int wrong = 0;
};

/// One game of the table of 7, without widgets: the exercise, the counts, whether the exercise has had its
/// verdict, the player's name and the time left. The window shows what it is told; nothing is read back from it.
class Round : public QObject
{
    Q_OBJECT
public:
    explicit Round(std::unique_ptr<RandomSource> random, QObject *parent = nullptr);
    ~Round() override;

    const Exercise &exercise() const { return m_exercise; }
    /// The product as it must be typed: decimal digits, no blank, no sign.
    QString expectedAnswer() const { return QString::number(m_exercise.product); }
    /// The name the praise addresses.
    const QString &playerName() const { return m_playerName; }
    qint16 rightCount() const { return m_rightCount; }
    qint16 wrongCount() const { return m_wrongCount; }
    /// Right plus wrong answers; past 32767 that is the "Overflow" error.
    qint16 totalCount() const;
    /// The answers counted so far to 7 × 1 … 7 × 10, by second factor.
    const std::array<FactorAnswers, 10> &answersByFactor() const { return m_answersByFactor; }
    /// Whether the current exercise has had its verdict; it gets only one.
    bool isJudged() const { return m_judged; }
    countdown::ClockReading timeLeft() const { return m_timeLeft; }
    /// What the countdown display shows.
    const QString &clockDisplay() const { return m_clockDisplay; }

    void setPlayerName(const QString &name) { m_playerName = name; }
    void resetCounts();
    /// Reseeds, then draws the tint and the second factor; the new exercise awaits its verdict.
    const Exercise &nextExercise();
    /// Compares `typed` with the expected answer as text, exactly (" 49" and "049" are not "49"), counts it, and
    /// climbs the praise ladder on the right answers counted before this one. Nothing when the exercise already
    /// has its verdict.
    std::optional<Verdict> judge(const QString &typed);

    /// Shows the time left as it stands, then sets it to `length` and starts the one-second tick.
    void startClock(countdown::ClockReading length = countdown::ClockReading::sevenMinutes());
    /// Shows the start display, with full stops.
    void showStartDisplay();
    void stopClock();
    /// Holds the running clock where it stands, the current second's rest included, until resumeClock().
    void pauseClock();
    /// Goes on from where pauseClock() held the clock; nothing when it was not running then.
    void resumeClock();
    /// One second: the time is up when the display reads zero, so the game ends one tick after zero is shown.
    void tick();

Q_SIGNALS:
    void clockDisplayChanged(const QString &display);
    void timeUp();

private:
    void showClock(const QString &display);
    /// Counts an answer to the current exercise's fact.
    void tally(bool right);

    std::unique_ptr<RandomSource> m_random;
    QTimer *m_ticks;
    Exercise m_exercise;
    QString m_playerName;
    qint16 m_rightCount = 0;
    qint16 m_wrongCount = 0;
    std::array<FactorAnswers, 10> m_answersByFactor{};
    bool m_judged = false;
    countdown::ClockReading m_timeLeft;
    /// The rest of the second the clock was paused in; negative when it is not paused.
    int m_pausedMilliseconds = -1;
    QString m_clockDisplay = countdown::startDisplay;
};

} // namespace engine
