#include "window/game/gamewindow.h"

#include "engine/round.h"
#include "speller/numlett.h"
#include "window/widgets/colour.h"
#include "window/widgets/designlabel.h"
#include "window/widgets/drawingsurface.h"

#include <QLineEdit>
#include <QPushButton>

namespace window {

void GameWindow::bindRound()
{
    // The one place where the round's values reach the controls.
    connect(&m_round, &engine::Round::playerNameChanged, m_playerNameLabel, &DesignLabel::setText);
    connect(&m_round, &engine::Round::countsChanged, this, &GameWindow::showCounts);
    connect(&m_round, &engine::Round::clockDisplayChanged, m_clockLabel, &DesignLabel::setText);
    connect(&m_round, &engine::Round::exerciseChanged, this, &GameWindow::showExercise);
    connect(&m_round, &engine::Round::judged, this, &GameWindow::showVerdict);
    connect(&m_round, &engine::Round::ended, this, &GameWindow::leave);
}

void GameWindow::showCounts(int right, int wrong, int total)
{
    m_rightCountLabel->setText(QString::number(right));
    m_wrongCountLabel->setText(QString::number(wrong));
    m_totalCountLabel->setText(QString::number(total));
}

void GameWindow::showExercise(const engine::Exercise &exercise)
{
    setPrintedExerciseVisible(false);
    m_verdictLabel->setText(QString());

    const QString firstFactor = QString::number(exercise.factor1);
    m_firstFactorLabel->setText(firstFactor);
    m_secondFactorLabel->setText(QString::number(exercise.factor2));

    narrator::Character narrator = merlin();
    narrator::takeTheStage(narrator, QStringLiteral("Greet"));
    narrator.speak(firstFactor);
    narrator.speak(QStringLiteral("per"));
    narrator.speak(speller::spellItalian(exercise.factor2));

    m_answerBox->clear();
    m_answerBox->setFocus();
    paintBackgroundBands(exercise);
}

void GameWindow::paintBackgroundBands(const engine::Exercise &exercise)
{
    constexpr int stripes = 256;
    constexpr double unitsHigh = 2.0 * stripes;
    m_surface->setVerticalScale(unitsHigh);
    // The outer width in twips, taken as a pixel coordinate, lies far past the right edge:
    // every stripe spans the whole window.
    const double farRight = width() * 15.0;
    for (int i = 0; i < stripes; ++i) {
        const QColor colour(20 * exercise.factor1, 20 * exercise.tintLevel, i);
        m_surface->stripe(QPointF(0, 2.0 * i), QPointF(farRight, 2.0 * i + 2), colour);
    }
}

void GameWindow::showVerdict(const engine::Verdict &verdict)
{
    setPrintedExerciseVisible(false);
    narrator::Character narrator = merlin();
    if (verdict.right) {
        setColour(m_verdictLabel, QPalette::WindowText, QColor(0, 0, 255));
        m_verdictLabel->setText(QStringLiteral("Esatto. Sei forte!!!"));
        narrator::takeTheStage(narrator);
        for (const engine::Praise &praise : verdict.praise) {
            if (praise.kind == engine::Praise::Kind::Play)
                narrator.play(praise.text);
            else
                narrator.speak(praise.text);
        }
    } else {
        setColour(m_verdictLabel, QPalette::WindowText, QColor(255, 0, 0));
        m_verdictLabel->setText(QStringLiteral("Sbagliato!! ") + verdict.expected);
        narrator::takeTheStage(narrator, QStringLiteral("Greet"));
        narrator.speak(QStringLiteral("Sbagliato"));
        narrator.speak(verdict.expected);
    }
    // Enabled first: the very first verdict finds the button still disabled, unable to take the focus.
    m_nextExerciseButton->setEnabled(true);
    m_nextExerciseButton->setFocus();
}

} // namespace window
