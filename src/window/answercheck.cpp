#include "window/tavola.h"

#include "engine/round.h"
#include "narrator/stage.h"
#include "window/designlabel.h"
#include "window/drawingsurface.h"

#include <QLineEdit>
#include <QPushButton>

namespace window {

namespace {

constexpr int enterKey = 13;

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

void Tavola::answerKeyTyped(int key)
{
    // A judged exercise is closed until the next one: typing then neither shows the printed
    // exercise again nor judges anything, so the screen keeps the verdict as it was given.
    // Enter moves on, as it does on "Nuovo calcolo": a child back in the box is never stuck.
    if (m_round->isJudged()) {
        if (key == enterKey)
            m_nextExerciseButton->click();
        return;
    }
    m_surface->clearDrawing();
    setPrintedExerciseVisible(true);
    if (key == enterKey)
        checkAnswer();
}

void Tavola::checkAnswer()
{
    const std::optional<engine::Verdict> verdict = m_round->judge(m_answerBox->text());
    if (!verdict)
        return;

    setPrintedExerciseVisible(false);
    narrator::Character narrator = m_agent->Characters().Item(narrator::merlinName);
    const QString expected = m_round->expectedAnswer();
    if (verdict->right) {
        setTextColour(m_verdictLabel, QColor(0, 0, 255));
        m_verdictLabel->setText(QStringLiteral("Esatto. Sei forte!!!"));
        narrator::takeTheStage(narrator);
        for (const engine::Praise &praise : verdict->praise) {
            if (praise.kind == engine::Praise::Kind::Play)
                narrator.Play(praise.text);
            else
                narrator.Speak(praise.text);
        }
    } else {
        setTextColour(m_verdictLabel, QColor(255, 0, 0));
        m_verdictLabel->setText(QStringLiteral("Sbagliato!! ") + expected);
        narrator::takeTheStage(narrator, QStringLiteral("Greet"));
        narrator.Speak(QStringLiteral("Sbagliato"));
        narrator.Speak(expected);
        m_wrongCountLabel->setText(QString::number(m_round->wrongCount()));
    }

    m_rightCountLabel->setText(QString::number(m_round->rightCount()));
    m_totalCountLabel->setText(QString::number(m_round->totalCount()));
    // Enabled first: the very first verdict finds the button still disabled, unable to take the focus.
    m_nextExerciseButton->setEnabled(true);
    m_nextExerciseButton->setFocus();
}

} // namespace window
