#pragma once

#include "engine/randomsource.h"
#include "narrator/agent.h"
#include "speller/numlett.h"
#include "window/dialogs.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace window {

class DrawingSurface;

/// The game's one window. It owns all of a run's state; its handlers keep the names of the
/// events they answer, and its controls and variables keep the names of the window's design.
/// Both are public so that tests can drive the handlers and read what they leave behind.
class Tavola : public QMainWindow
{
    Q_OBJECT
public:
    /// The seams: the boxes the game asks through, who performs the narrator's requests
    /// (owned by the narrator control), and where random fractions come from.
    Tavola(std::unique_ptr<Dialogs> dialogs, narrator::Performer *performer,
           std::unique_ptr<engine::RandomSource> random, QWidget *parent = nullptr);
    ~Tavola() override;

    // Event handlers.
    void cmdNext_Click();

    /// Writes a whole number in Italian words; `numer` is used as the working value.
    QString numlett(speller::Decimal4 &numer);

    // Window variables.
    qint16 factor1 = 0;
    qint16 factor2 = 0;
    qint16 product = 0;
    qint16 tintLevel = 0;
    qint16 correctCount = 0;
    qint16 wrongCount = 0;
    speller::NumberWords numberWords;

    // Hidden carriers: the current exercise and the player's name, kept as text between handlers.
    QString Text1;
    QString Text6;
    QString Text7;
    QString Txtnome1;

    // Controls.
    DrawingSurface *surface = nullptr;
    QLabel *lblNum1 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *lblNum2 = nullptr;
    QLabel *lblMessage = nullptr;
    QLineEdit *Text3 = nullptr;
    QPushButton *cmdNext = nullptr;
    narrator::Agent *Agent1 = nullptr;

private:
    void buildControls();
    void paintBackgroundBands();

    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<engine::RandomSource> m_random;
};

} // namespace window
