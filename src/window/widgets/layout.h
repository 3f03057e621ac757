#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

namespace window {

/// A rectangle in twips, as the window was designed; 15 twips make one pixel at 96 dpi.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    static constexpr int twipsPerPixel = 15;
    QRect toPixels() const;
};

/// A font as the design names it. The family stays the design's; registerFontSubstitutes()
/// maps it to an installed font with the same metrics.
struct DesignFont
{
    const char *family = nullptr; ///< nullptr: the platform's default font
    double points = 0;
    QFont::Weight weight = QFont::Normal;
    bool italic = false;

    /// The font at the design's 96 dpi scale, whatever dpi the display reports.
    QFont toQFont() const;
};

/// Maps the design's Windows font families to installed fonts with matching metrics.
void registerFontSubstitutes();

/// The Windows system colours the design refers to. The scroll bar is the grey of later Windows
/// desktops; the others are those of the Windows Classic scheme.
namespace systemColour {
constexpr QColor scrollBar{200, 200, 200};
constexpr QColor inactiveCaptionText{212, 208, 200};
constexpr QColor windowText{0, 0, 0};
} // namespace systemColour

/// A label drawn on the window. An invalid background means a transparent label.
struct LabelDesign
{
    const char *name;
    TwipsRect rect;
    const char *caption; ///< UTF-8
    DesignFont font;
    QColor text = systemColour::windowText;
    QColor background = QColor();
    bool border = false;
    bool centred = false;
    bool sizedToFit = false;
    bool hidden = false;
    const char *toolTip = nullptr;
};

/// A filled rectangle with an outline in the window-text colour.
struct ShapeDesign
{
    const char *name;
    TwipsRect rect;
    QColor fill;
    int outlineWidth = 1;
};

/// A control that can take the focus: the answer box and the buttons.
struct InputDesign
{
    const char *name;
    TwipsRect rect;
    const char *caption;
    DesignFont font = {};                   ///< no family: the platform's default font
    QColor face = QColor();                 ///< button face, or text box background
    QColor text = systemColour::windowText; ///< text box only: buttons keep the standard caption colours
    const char *toolTip = nullptr;
    const char *accessibleName = nullptr;
};

/// A picture that only shows, with a tool tip.
struct ImageDesign
{
    const char *name;
    TwipsRect rect;
    const char *toolTip;
};

/// A menu bar entry, in the menu of the menu bar that groups it; none has an action.
struct MenuEntry
{
    const char *menu;
    const char *name;
    const char *caption;
};

// Each control's name in the design is its objectName: the accessibility bus and the tests find it by that.
namespace layout {

constexpr TwipsRect clientArea{0, 0, 11775, 8340};

constexpr DesignFont timesHeading{"Times New Roman", 21.75};
constexpr DesignFont timesScore{"Times New Roman", 21.75, QFont::Bold};
constexpr DesignFont arialExercise{"Arial", 48, QFont::Bold};
constexpr DesignFont msSansButton{"MS Sans Serif", 8.25, QFont::Bold};
constexpr DesignFont msSansRecord{"MS Sans Serif", 18};
constexpr DesignFont msSansRecordBold{"MS Sans Serif", 18, QFont::Bold};

constexpr QColor yellow{255, 255, 0};
constexpr QColor paleYellow{255, 255, 128};
constexpr QColor red{255, 0, 0};
constexpr QColor blue{0, 0, 255};
constexpr QColor cyan{0, 255, 255};
constexpr QColor teal{0, 192, 192};
constexpr QColor purple{192, 0, 192};

// Window picture, drawn at the top-left corner of the client area.
constexpr TwipsRect picture{0, 0, 720, 720};

// Shapes, in stacking order from the bottom.
constexpr ShapeDesign scorePanel{"Shape4", {0, 0, 3375, 4455}, teal};
constexpr ShapeDesign scorePanelFace{"Shape2", {120, 120, 3135, 4215}, cyan};
constexpr ShapeDesign clockPanel{"Shape5", {8400, 0, 3495, 2055}, teal, 3};
constexpr ShapeDesign clockPanelFace{"Shape3", {8510, 50, 3300, 1965}, cyan, 3};
constexpr ShapeDesign answerPanel{"Shape1", {2880, 4920, 7335, 1335}, cyan};

// Score panel.
constexpr LabelDesign rightHeading{.name = "Label6",
                                   .rect = {360, 240, 2625, 555},
                                   .caption = "Risposte esatte",
                                   .font = timesHeading,
                                   .text = paleYellow,
                                   .border = true,
                                   .centred = true,
                                   .sizedToFit = true};
constexpr LabelDesign rightCount{.name = "lblScore",
                                 .rect = {1440, 840, 315, 540},
                                 .caption = "0",
                                 .font = timesScore,
                                 .text = paleYellow,
                                 .border = true,
                                 .centred = true,
                                 .sizedToFit = true,
                                 .toolTip = "Questo è il tuo punteggio. Forza con il  record"};
constexpr LabelDesign wrongHeading{.name = "Label1",
                                   .rect = {360, 1560, 2595, 555},
                                   .caption = "Risposte errate",
                                   .font = timesHeading,
                                   .text = red,
                                   .border = true,
                                   .sizedToFit = true};
constexpr LabelDesign wrongCount{.name = "lblScore1",
                                 .rect = {1560, 2160, 300, 540},
                                 .caption = "0",
                                 .font = timesScore,
                                 .text = red,
                                 .border = true,
                                 .centred = true,
                                 .sizedToFit = true};
constexpr LabelDesign totalHeading{.name = "Label3",
                                   .rect = {360, 2880, 2505, 555},
                                   .caption = "Risposte totali",
                                   .font = timesHeading,
                                   .text = blue,
                                   .border = true,
                                   .sizedToFit = true};
constexpr LabelDesign totalCount{.name = "lblScore2",
                                 .rect = {1560, 3600, 315, 540},
                                 .caption = "0",
                                 .font = timesScore,
                                 .text = blue,
                                 .border = true,
                                 .centred = true,
                                 .sizedToFit = true};

// Clock panel.
constexpr ImageDesign alarmClock{"Image1", {9885, 120, 480, 480}, "Clicca sotto di me per impostare il Timer"};
constexpr LabelDesign clockHeading{.name = "Label11",
                                   .rect = {9270, 720, 1815, 615},
                                   .caption = "Tempo restante",
                                   .font = {"Times New Roman", 14.25},
                                   .text = yellow};
// Arial Black comes in one weight only, black: that is its bold.
constexpr LabelDesign clockDisplay{.name = "lblconto",
                                   .rect = {9360, 1200, 1575, 375},
                                   .caption = "00.07.00",
                                   .font = {"Arial Black", 12, QFont::Black},
                                   .text = yellow,
                                   .background = {128, 128, 255},
                                   .border = true,
                                   .centred = true};

// Exercise line, shown only while the child types.
constexpr LabelDesign firstFactor{.name = "lblNum1",
                                  .rect = {3840, 0, 345, 1185},
                                  .caption = "",
                                  .font = arialExercise,
                                  .background = cyan,
                                  .border = true,
                                  .centred = true,
                                  .sizedToFit = true,
                                  .hidden = true};
constexpr LabelDesign timesSign{.name = "Label10",
                                .rect = {5640, 120, 615, 975},
                                .caption = "X",
                                .font = {"Arial", 48},
                                .background = {128, 255, 255},
                                .centred = true,
                                .hidden = true};
constexpr LabelDesign secondFactor{.name = "lblNum2",
                                   .rect = {7560, 0, 345, 1185},
                                   .caption = "",
                                   .font = arialExercise,
                                   .background = cyan,
                                   .border = true,
                                   .centred = true,
                                   .sizedToFit = true,
                                   .hidden = true};

constexpr LabelDesign verdict{.name = "lblMessage",
                              .rect = {6360, 2040, 1305, 1275},
                              .caption = "io",
                              .font = {"MS Sans Serif", 24, QFont::Bold, true},
                              .text = red,
                              .centred = true,
                              .sizedToFit = true};

// Answer area.
constexpr InputDesign answerBox{.name = "Text3",
                                .rect = {3120, 5040, 6855, 1125},
                                .caption = "Text3",
                                .font = {"Arial", 48},
                                .face = paleYellow,
                                .text = blue,
                                .toolTip = "Scrivi il numero e poi premi  il tasto Return (Invio)",
                                .accessibleName = "Risposta"};
constexpr int answerMaxLength = 250;
constexpr InputDesign nextExerciseButton{.name = "cmdNext",
                                         .rect = {3120, 6360, 1815, 855},
                                         .caption = "&Nuovo calcolo",
                                         .font = msSansButton,
                                         .face = {255, 128, 255},
                                         .toolTip = "Usa il tasto Return(invio) per l'esercizio successivo",
                                         .accessibleName = "Nuovo calcolo"};
constexpr InputDesign exitButton{.name = "cmdExit1",
                                 .rect = {8160, 6360, 1815, 855},
                                 .caption = "E&xit",
                                 .font = msSansButton,
                                 .face = teal,
                                 .toolTip = "Ti prego resta ancora, forse riuscirai a farmi uscire ",
                                 .accessibleName = "Esci dal gioco"};

// Record line.
constexpr LabelDesign playerHeading{.name = "Label14",
                                    .rect = {120, 6360, 1425, 420},
                                    .caption = "Sfidante",
                                    .font = {"MS Sans Serif", 13.5},
                                    .text = yellow,
                                    .border = true,
                                    .centred = true,
                                    .sizedToFit = true};
constexpr LabelDesign playerName{.name = "lblnome1",
                                 .rect = {120, 7200, 645, 420},
                                 .caption = "",
                                 .font = {"MS Sans Serif", 13.5, QFont::Bold},
                                 .text = yellow,
                                 .border = true,
                                 .sizedToFit = true};
constexpr LabelDesign championHeading{.name = "Label12",
                                      .rect = {120, 7680, 2295, 375},
                                      .caption = "Il record  è di ",
                                      .font = msSansRecord,
                                      .text = purple};
constexpr LabelDesign championName{.name = "lblnome",
                                   .rect = {2400, 7680, 990, 435},
                                   .caption = "nome",
                                   .font = msSansRecordBold,
                                   .text = blue,
                                   .sizedToFit = true};
constexpr LabelDesign bestScoreHeading{.name = "Label13",
                                       .rect = {6000, 7680, 1455, 435},
                                       .caption = "con punti",
                                       .font = msSansRecord,
                                       .text = purple,
                                       .sizedToFit = true};
constexpr LabelDesign bestScore{.name = "lblpunti",
                                .rect = {7680, 7680, 195, 435},
                                .caption = "0",
                                .font = msSansRecord,
                                .text = purple,
                                .sizedToFit = true};

// The blanks push the title towards the middle of the title bar.
constexpr const char *caption = "                                                                                   "
                                "QUORVANE"
                                "                               "
                                "quorvane@example.org"
                                "    ";

// Credits, grouped so that the menu bar fits the window's width.
constexpr MenuEntry menuEntries[] = {
    {"Scuola", "sito", "www.scuola.example"},
    {"Scuola", "is", "Scuola elementare di esempio"},
    {"Autori", "Ciao", "Un programma di Autore Uno e Autore Due"},
    {"Autori", "INFOMAZIONI", "Autore Uno e Autore Due, Via Esempio 1"},
    {"Autori", "posta", "quorvane@example.org"},
    {"Programma", "free", "Software freeware"},
    {"Programma", "comune", "Ai nostri alunni delle scuole della nostra città"},
};

} // namespace layout
} // namespace window
