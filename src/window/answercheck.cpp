#include "window/tavola.h"

#include "engine/int16.h"
#include "engine/praiseladder.h"
#include "narrator/stage.h"
#include "window/designlabel.h"
#include "window/drawingsurface.h"

#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>

namespace window {

namespace {

constexpr int enterKey = 13;

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// The shown count is read back from its label, as the ladder climbs on what the child has seen.
double shownCount(const QLabel *label)
{
    bool ok = false;
    const double count = label->text().toDouble(&ok);
    if (!ok)
        throw std::invalid_argument("Tipo non corrispondente: " + label->text().toStdString());
    return count;
}

} // namespace

void Tavola::Text3_KeyPress(int key)
{
    // A judged exercise is closed until the next one: typing then neither shows the printed
    // exercise again nor judges anything, so the screen keeps the verdict as it was given.
    // Enter moves on, as it does on "Nuovo calcolo": a child back in the box is never stuck.
    if (answerJudged) {
        if (key == enterKey)
            cmdNext->click();
        return;
    }
    surface->clearDrawing();
    setPrintedExerciseVisible(true);
    if (key == enterKey)
        Command3_Click();
}

void Tavola::Command3_Click()
{
    // One verdict per exercise: judging the same answer again would count it again.
    if (answerJudged)
        return;
    answerJudged = true;

    setPrintedExerciseVisible(false);
    narrator::Character narrator = Agent1->Characters().Item(narrator::merlinName);

    // Exact text, no trimming and no conversion: " 49" and "049" are not "49".
    if (Text3->text() == Text7) {
        setTextColour(lblMessage, QColor(0, 0, 255));
        lblMessage->setText(QStringLiteral("Esatto. Sei forte!!!"));
        correctCount = engine::add16(correctCount, 1);
        narrator::takeTheStage(narrator);
        for (const engine::Praise &praise : engine::praiseLadder(shownCount(lblScore), Txtnome1, Text7)) {
            if (praise.kind == engine::Praise::Kind::Play)
                narrator.Play(praise.text);
            else
                narrator.Speak(praise.text);
        }
    } else {
        setTextColour(lblMessage, QColor(255, 0, 0));
        lblMessage->setText(QStringLiteral("Sbagliato!! ") + Text7);
        wrongCount = engine::add16(wrongCount, 1);
        narrator::takeTheStage(narrator, QStringLiteral("Greet"));
        narrator.Speak(QStringLiteral("Sbagliato"));
        narrator.Speak(Text7);
        lblScore1->setText(QString::number(wrongCount));
    }

    lblScore->setText(QString::number(correctCount));
    lblScore2->setText(QString::number(engine::add16(correctCount, wrongCount)));
    // Enabled first: the very first verdict finds the button still disabled, unable to take the focus.
    cmdNext->setEnabled(true);
    cmdNext->setFocus();
}

} // namespace window
