#pragma once

#include "engine/randomsource.h"
#include "narrator/agent.h"
#include "records/recordfiles.h"
#include "speller/numlett.h"
#include "window/dialogs.h"

#include <QMainWindow>

#include <memory>

class QLineEdit;
class QPushButton;

namespace engine {
class Round;
}

namespace window {

class DesignLabel;
class DrawingSurface;
class Shape;

/// The game's one window. It shows an engine::Round, which holds the game's state, and adapts the player's
/// keys and clicks to it: its handlers keep their steps in order and leave the rules to the round.
class Tavola : public QMainWindow
{
    Q_OBJECT
public:
    /// The seams: the boxes the game asks through, who performs the narrator's requests
    /// (owned by the narrator control), and where random fractions come from.
    Tavola(std::unique_ptr<Dialogs> dialogs, narrator::Performer *performer,
           std::unique_ptr<engine::RandomSource> random, QWidget *parent = nullptr);
    ~Tavola() override;

    /// Before the window shows: asks the name and greets, starts the clock, shows the stored record, and has the
    /// narrator introduce the game.
    void prepareGame();
    /// Once the window shows: the first exercise, with both counts at 0 and the clock at its start display.
    void beginGame();
    /// Draws the next exercise and has the narrator dictate it ("Nuovo calcolo").
    void nextExercise();
    /// Says goodbye, saves a new record and ends the program ("Exit", and the time running out).
    void leave();
    /// Opens "I tuoi progressi" on the current child's games.
    void showProgress();

    const engine::Round &round() const { return *m_round; }
    engine::Round &round() { return *m_round; }
    narrator::Agent *agent() const { return m_agent; }

    /// What Merlin and his balloon must never cover, on the screen: the verdict at its widest, the
    /// printed exercise, the score and clock panels and the answer box.
    QList<QRect> narratorMustNotCover() const;

Q_SIGNALS:
    /// The game is over: the program is to end with `status`.
    void programEnded(int status);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    /// The stored record as start-up shows it; the computer's shared record, when it cannot be read, as unavailable.
    records::StoredRecord readStoredRecord();
    /// Saves the ended game as the new record; returns whether it was kept.
    bool saveRecord();
    /// The menu bar's entry that opens the progress window.
    void addProgressEntry();
    /// Appends the ended game to the progress history, when it had an answer.
    void addGameToHistory();
    /// Every character key typed into the answer box; Enter has the answer checked.
    void answerKeyTyped(int key);
    void checkAnswer();
    void paintBackgroundBands();
    /// Shows or hides the printed exercise: the first factor, the X and the second factor.
    void setPrintedExerciseVisible(bool visible);

    std::unique_ptr<Dialogs> m_dialogs;
    engine::Round *m_round;
    narrator::Agent *m_agent;
    /// The speller's working table, rewritten at every call.
    speller::NumberWords m_numberWords;
    /// The directory of the record files, ending in a separator.
    QString m_recordDirectory;
    /// The best score as start-up read it, which a game must beat to be saved.
    QString m_storedBestScore;
    /// The name as the name box gave it, which the progress history keeps.
    QString m_typedName;
    /// Why the ended game could not be added to the progress history; empty when it could.
    QString m_historyError;
    /// Set when the leave procedure starts; it runs once, however often it is called.
    bool m_leaving = false;

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
