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
    /// The product as it had to be typed.
    QString expected;
    QList<Praise> praise; ///< empty for a wrong answer
};

/// Right and wrong answers to one exercise of the table.
struct FactorAnswers
{
    int right = 0;
    int wrong = 0;
};

/// One game of the table of 7, without widgets: its phase, the player's name, the record it plays against, the
/// exercise, the counts, the verdict and the time left. It tells what changed through its signals; nothing is read
/// back from a window.
class Round : public QObject
{
    Q_OBJECT
public:
    enum class Phase
    {
        Unnamed, ///< the name is still to be asked
        Named,   ///< the clock runs, the first exercise is still to come
        Playing,
        Ended
    };

    explicit Round(std::unique_ptr<RandomSource> random, QObject *parent = nullptr);
    ~Round() override;

    Phase phase() const { return m_phase; }
    const Exercise &exercise() const { return m_exercise; }
    /// The product as it must be typed: decimal digits, no blank, no sign.
    QString expectedAnswer() const { return QString::number(m_exercise.product); }
    /// The name as the name box gave it, control characters blanked.
    const QString &typedName() const { return m_typedName; }
    /// The name the game shows and the praise addresses: the typed one, or "Amico" for none.
    const QString &playerName() const { return m_playerName; }
    qint16 rightCount() const { return m_rightCount; }
    qint16 wrongCount() const { return m_wrongCount; }
    /// The answers counted so far to 7 × 1 … 7 × 10, by second factor.
    const std::array<FactorAnswers, 10> &answersByFactor() const { return m_answersByFactor; }
    /// Whether the current exercise has had its verdict; it gets only one.
    bool isJudged() const { return m_judged; }
    countdown::ClockReading timeLeft() const { return m_timeLeft; }
    /// Whether the right answers beat the stored best score strictly; never when the record is unknown.
    bool beatsRecord() const { return m_recordScore && m_rightCount > *m_recordScore; }

    /// Takes the name from the name box, with both counts at 0: line ends, tabs and the other control characters
    /// become blanks.
    void name(const QString &typed);
    /// The stored best score this game must beat to be saved.
    void playAgainst(double bestScore) { m_recordScore = bestScore; }
    /// The first exercise, then both counts at 0 and the clock at its start display.
    void begin();
    /// Reseeds, then draws the tint and the second factor; the new exercise awaits its verdict.
    void nextExercise();
    /// Compares `typed` with the expected answer as text, exactly (" 49" and "049" are not "49"), counts it, and
    /// climbs the praise ladder on the right answers counted before this one. Nothing when the exercise already has
    /// its verdict; overflowed() and nothing counted when a count would pass 32767.
    void judge(const QString &typed);
    /// Ends the game once: stops the clock and says ended(); later calls only stop the clock.
    void end();

    /// Shows the time left as it stands, then sets it to `length` and starts the one-second tick.
    void startClock(countdown::ClockReading length = countdown::ClockReading::sevenMinutes());
    /// Holds the running clock where it stands, the current second's rest included, until resumeClock().
    void pauseClock();
    /// Goes on from where pauseClock() held the clock; nothing when it was not running then.
    void resumeClock();
    /// One second: the game ends on the tick that finds zero shown, one tick after it was shown.
    void tick();

Q_SIGNALS:
    void playerNameChanged(const QString &playerName);
    void exerciseChanged(const engine::Exercise &exercise);
    void countsChanged(int right, int wrong, int total);
    void judged(const engine::Verdict &verdict);
    void clockDisplayChanged(const QString &display);
    /// A count would leave the game's 16-bit whole numbers: the run-time error "Overflow".
    void overflowed();
    void ended();

private:
    void setCounts(qint16 right, qint16 wrong);
    void showTimeLeft();
    /// Counts an answer to the current exercise's fact.
    void tally(bool right);

    std::unique_ptr<RandomSource> m_random;
    QTimer *m_ticks;
    Phase m_phase = Phase::Unnamed;
    QString m_typedName;
    QString m_playerName;
    std::optional<double> m_recordScore;
    Exercise m_exercise;
    qint16 m_rightCount = 0;
    qint16 m_wrongCount = 0;
    std::array<FactorAnswers, 10> m_answersByFactor{};
    bool m_judged = false;
    countdown::ClockReading m_timeLeft;
    /// The rest of the second the clock was paused in; negative when it is not paused.
    int m_pausedMilliseconds = -1;
    /// The reading the display shows; none while it shows the start display, which never counts as expired.
    std::optional<countdown::ClockReading> m_shown;
};

} // namespace engine
