#pragma once

#include "engine/randomsource.h"
#include "narrator/agent.h"
#include "speller/numlett.h"
#include "window/designlabel.h"
#include "window/dialogs.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace window {

class DrawingSurface;
class ImageBox;
class Shape;

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
    void cmdExit1_Click();
    void Text3_KeyPress(int key);
    void Command3_Click();
    void Form_Load();
    void Form_Activate();
    void Timer1_Timer();

    /// Sets the clock to seven minutes and starts the tick; the display is left as it is.
    void ResetClock();

    /// What Merlin and his balloon must never cover, on the screen: the verdict at its widest, the
    /// printed exercise, the score and clock panels and the answer box.
    QList<QRect> narratorMustNotCover() const;

    /// Writes a whole number in Italian words; `numer` is used as the working value.
    QString numlett(speller::Decimal4 &numer);

    // Window variables.
    qint16 factor1 = 0;
    qint16 factor2 = 0;
    qint16 product = 0;
    qint16 tintLevel = 0;
    qint16 correctCount = 0;
    qint16 wrongCount = 0;
    /// Whether the current exercise has had its verdict; it gets only one.
    bool answerJudged = false;
    qint16 clockHours = 0;
    qint16 clockMinutes = 0;
    float clockSeconds = 0;
    speller::NumberWords numberWords;
    /// The directory of the record files, ending in a separator.
    QString windowsDir;

    // Hidden carriers: the current exercise and the player's name, kept as text between handlers.
    QString Text1;
    QString Text6;
    QString Text7;
    QString Txtnome1;

    // Controls.
    DrawingSurface *surface = nullptr;
    DesignLabel *lblNum1 = nullptr;
    DesignLabel *Label10 = nullptr;
    DesignLabel *lblNum2 = nullptr;
    DesignLabel *lblMessage = nullptr;
    QLineEdit *Text3 = nullptr;
    QPushButton *cmdNext = nullptr;
    DesignLabel *lblScore = nullptr;
    DesignLabel *lblScore1 = nullptr;
    DesignLabel *lblScore2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *cmdExit1 = nullptr;
    DesignLabel *Label6 = nullptr;
    DesignLabel *Label1 = nullptr;
    DesignLabel *Label3 = nullptr;
    DesignLabel *Label11 = nullptr;
    DesignLabel *lblconto = nullptr;
    DesignLabel *Label14 = nullptr;
    DesignLabel *lblnome1 = nullptr;
    DesignLabel *Label12 = nullptr;
    DesignLabel *lblnome = nullptr;
    DesignLabel *Label13 = nullptr;
    DesignLabel *lblpunti = nullptr;
    Shape *Shape1 = nullptr;
    Shape *Shape2 = nullptr;
    Shape *Shape3 = nullptr;
    Shape *Shape4 = nullptr;
    Shape *Shape5 = nullptr;
    ImageBox *Image1 = nullptr;
    /// Holds the narrator control; never shown.
    QWidget *Picture1 = nullptr;
    QTimer *Timer1 = nullptr;
    narrator::Agent *Agent1 = nullptr;

Q_SIGNALS:
    /// The game is over: the program is to end with `status`.
    void programEnded(int status);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void paintBackgroundBands();
    /// Shows or hides the printed exercise: the first factor, the X and the second factor.
    void setPrintedExerciseVisible(bool visible);

    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<engine::RandomSource> m_random;
    /// Set when the leave procedure starts; it runs once, however often it is called.
    bool m_leaving = false;
};

} // namespace window
