#include "window/tavola.h"

#include "engine/round.h"
#include "window/characterkeys.h"
#include "window/designlabel.h"
#include "window/onepressperenter.h"

#include <QLineEdit>
#include <QPushButton>

namespace window {

Tavola::Tavola(std::unique_ptr<Dialogs> dialogs, narrator::Performer *performer,
               std::unique_ptr<engine::RandomSource> random, QWidget *parent)
    : QMainWindow(parent), m_dialogs(std::move(dialogs)), m_round(new engine::Round(std::move(random), this)),
      m_agent(new narrator::Agent(performer, this))
{
    setObjectName(QStringLiteral("Tavola"));
    buildControls();
    connect(m_nextExerciseButton, &QPushButton::clicked, this, &Tavola::nextExercise);
    connect(m_exitButton, &QPushButton::clicked, this, &Tavola::leave);
    connect(new CharacterKeys(m_answerBox), &CharacterKeys::typed, this, &Tavola::answerKeyTyped);
    new OnePressPerEnter(this);
    connect(m_round, &engine::Round::clockDisplayChanged, m_clockLabel, &DesignLabel::setText);
    connect(m_round, &engine::Round::timeUp, this, &Tavola::leave);
}

Tavola::~Tavola() = default;

void Tavola::setPrintedExerciseVisible(bool visible)
{
    m_firstFactorLabel->setVisible(visible);
    m_secondFactorLabel->setVisible(visible);
    m_timesSignLabel->setVisible(visible);
}

} // namespace window
