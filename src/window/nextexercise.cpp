#include "window/tavola.h"

#include "engine/exercise.h"
#include "narrator/stage.h"
#include "window/drawingsurface.h"

#include <QLabel>
#include <QLineEdit>

#include <stdexcept>

namespace window {

void Tavola::cmdNext_Click()
{
    setPrintedExerciseVisible(false);
    lblMessage->setText(QString());

    const engine::Exercise exercise = engine::drawExercise(*m_random);
    factor1 = exercise.factor1;
    tintLevel = exercise.tintLevel;
    Text1 = QString::number(factor1);
    lblNum1->setText(QString::number(factor1));
    factor2 = exercise.factor2;
    Text6 = QString::number(factor2);
    lblNum2->setText(QString::number(factor2));
    product = exercise.product;
    Text7 = QString::number(product);
    answerJudged = false;

    // The second factor goes through its text, as the narrator will speak it, into words.
    std::optional<speller::Decimal4> numer = speller::Decimal4::fromText(Text6);
    if (!numer)
        throw std::invalid_argument("Tipo non corrispondente: " + Text6.toStdString());
    Text6 = numlett(*numer);

    narrator::Character narrator = Agent1->Characters().Item(narrator::merlinName);
    narrator::takeTheStage(narrator, QStringLiteral("Greet"));
    narrator.Speak(Text1);
    narrator.Speak(QStringLiteral("per"));
    narrator.Speak(Text6);

    Text3->clear();
    Text3->setFocus();
    paintBackgroundBands();
}

void Tavola::paintBackgroundBands()
{
    constexpr int stripes = 256;
    constexpr double unitsHigh = 2.0 * stripes;
    surface->setVerticalScale(unitsHigh);
    // The outer width in twips, taken as a pixel coordinate, lies far past the right edge:
    // every stripe spans the whole window.
    const double farRight = width() * 15.0;
    for (int i = 0; i < stripes; ++i) {
        const QColor colour(20 * factor1, 20 * tintLevel, i);
        surface->stripe(QPointF(0, 2.0 * i), QPointF(farRight, 2.0 * i + 2), colour);
    }
}

} // namespace window
