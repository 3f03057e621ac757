#pragma once

#include "narrator/agent.h"
#include "records/recordkeeper.h"
#include "window/app/dialogs.h"

#include <QMainWindow>

#include <memory>

class QLineEdit;
class QPushButton;

namespace engine {
class Round;
struct Exercise;
struct Verdict;
} // namespace engine

namespace window {

class DesignLabel;
class DrawingSurface;
class Shape;

/// The game's one window (its objectName is the design's "Tavola"). It shows an engine::Round: each of the round's
/// signals is bound to its controls once, here, and the player's keys and clicks go back to the round.
class GameWindow : public QMainWindow
{
    Q_OBJECT
public:
    /// The seams: the round it shows, the narrator control it speaks through, the boxes it asks through and the
    /// record it plays against. `round` and `narrator` outlive the window.
    GameWindow(engine::Round &round, narrator::Agent &narrator, std::unique_ptr<Dialogs> dialogs,
               std::unique_ptr<records::RecordKeeper> record, QWidget *parent = nullptr);
    ~GameWindow() override;

    /// Before the window shows: asks the name and greets, starts the clock, shows the stored record, and has the
    /// narrator introduce the game. False when a run-time error was reported instead.
    bool prepareGame();
    /// Once the window shows: the game's start told to the record (not for ripasso), then the first exercise, with
    /// both counts at 0 and the clock at its start display.
    void beginGame();
    /// Makes the coming game a ripasso game, before prepareGame(): its draw weighs the named child's facts by their
    /// history, Merlin says which facts come most, and the record is only shown.
    void playPractice() { m_practice = true; }
    /// Opens "I tuoi progressi" on the current child's games.
    void showProgress();

    /// What Merlin and his balloon must never cover, on the screen: the verdict at its widest, the
    /// printed exercise, the score and clock panels and the answer box.
    QList<QRect> narratorMustNotCover() const;

Q_SIGNALS:
    /// The game is over: the program is to end with `status`.
    void programEnded(int status);
    /// A failure no step of the game can go past: the program reports `what` and ends.
    void runTimeError(const QString &what);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    /// Binds each of the round's signals to what shows it, once.
    void bindRound();
    /// The menu bar's entry that opens the progress window.
    void addProgressEntry();

    void showExercise(const engine::Exercise &exercise);
    void showCounts(int right, int wrong, int total);
    void showVerdict(const engine::Verdict &verdict);
    /// Every character key typed into the answer box; Enter has the answer judged.
    void answerKeyTyped(int key);
    /// The ended game: history, goodbye, a new record saved, the program's end.
    void leave();
    /// Appends the ended game to the progress history, when it had an answer.
    void addGameToHistory();
    /// A ripasso game's draw for the named child, from their history; what Merlin says it will ask.
    QString preparePractice();

    narrator::Character merlin() const;
    void paintBackgroundBands(const engine::Exercise &exercise);
    /// Shows or hides the printed exercise: the first factor, the X and the second factor.
    void setPrintedExerciseVisible(bool visible);

    engine::Round &m_round;
    narrator::Agent &m_narrator;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<records::RecordKeeper> m_record;
    /// Why the ended game could not be added to the progress history; empty when it could.
    QString m_historyError;
    bool m_practice = false;

    DrawingSurface *m_surface = nullptr;
    Shape *m_scorePanel = nullptr;
    Shape *m_clockPanel = nullptr;
    DesignLabel *m_rightCountLabel = nullptr;
    DesignLabel *m_wrongCountLabel = nullptr;
    DesignLabel *m_totalCountLabel = nullptr;
    DesignLabel *m_clockLabel = nullptr;
    DesignLabel *m_firstFactorLabel = nullptr;
    DesignLabel *m_timesSignLabel = nullptr;
    DesignLabel *m_secondFactorLabel = nullptr;
    DesignLabel *m_verdictLabel = nullptr;
    DesignLabel *m_playerNameLabel = nullptr;
    DesignLabel *m_championNameLabel = nullptr;
    DesignLabel *m_bestScoreLabel = nullptr;
    QLineEdit *m_answerBox = nullptr;
    QPushButton *m_nextExerciseButton = nullptr;
    QPushButton *m_exitButton = nullptr;
};

} // namespace window
