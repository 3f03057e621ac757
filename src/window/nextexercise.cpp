#include "window/tavola.h"

#include "engine/round.h"
#include "narrator/stage.h"
#include "window/designlabel.h"
#include "window/drawingsurface.h"

#include <QLineEdit>

#include <stdexcept>

namespace window {

void Tavola::nextExercise()
{
    setPrintedExerciseVisible(false);
    m_verdictLabel->setText(QString());

    const engine::Exercise &exercise = m_round->nextExercise();
    const QString firstFactor = QString::number(exercise.factor1);
    m_firstFactorLabel->setText(firstFactor);
    const QString secondFactorDigits = QString::number(exercise.factor2);
    m_secondFactorLabel->setText(secondFactorDigits);

    // The second factor goes through its digits, as the exercise shows them, into the words the narrator says.
    std::optional<speller::Decimal4> numer = speller::Decimal4::fromText(secondFactorDigits);
    if (!numer)
        throw std::invalid_argument("Tipo non corrispondente: " + secondFactorDigits.toStdString());
    const QString secondFactorWords = speller::numlett(*numer, m_numberWords);

    narrator::Character narrator = m_agent->Characters().Item(narrator::merlinName);
    narrator::takeTheStage(narrator, QStringLiteral("Greet"));
    narrator.Speak(firstFactor);
    narrator.Speak(QStringLiteral("per"));
    narrator.Speak(secondFactorWords);

    m_answerBox->clear();
    m_answerBox->setFocus();
    paintBackgroundBands();
}

void Tavola::paintBackgroundBands()
{
    constexpr int stripes = 256;
    constexpr double unitsHigh = 2.0 * stripes;
    m_surface->setVerticalScale(unitsHigh);
    // The outer width in twips, taken as a pixel coordinate, lies far past the right edge:
    // every stripe spans the whole window.
    const double farRight = width() * 15.0;
    const engine::Exercise &exercise = m_round->exercise();
    for (int i = 0; i < stripes; ++i) {
        const QColor colour(20 * exercise.factor1, 20 * exercise.tintLevel, i);
        m_surface->stripe(QPointF(0, 2.0 * i), QPointF(farRight, 2.0 * i + 2), colour);
    }
}

} // namespace window
