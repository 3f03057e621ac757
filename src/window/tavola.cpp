#include "window/tavola.h"

#include "window/characterkeys.h"
#include "window/onepressperenter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace window {

Tavola::Tavola(std::unique_ptr<Dialogs> dialogs, narrator::Performer *performer,
               std::unique_ptr<engine::RandomSource> random, QWidget *parent)
    : QMainWindow(parent), Agent1(new narrator::Agent(performer, this)), m_dialogs(std::move(dialogs)),
      m_random(std::move(random))
{
    setObjectName(QStringLiteral("Tavola"));
    buildControls();
    connect(cmdNext, &QPushButton::clicked, this, &Tavola::cmdNext_Click);
    connect(cmdExit1, &QPushButton::clicked, this, &Tavola::cmdExit1_Click);
    connect(new CharacterKeys(Text3), &CharacterKeys::typed, this, &Tavola::Text3_KeyPress);
    connect(Command3, &QPushButton::clicked, this, &Tavola::Command3_Click);
    new OnePressPerEnter(this);

    // The game clock ticks once a second, from ResetClock on.
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Tavola::Timer1_Timer);
}

Tavola::~Tavola() = default;

void Tavola::setPrintedExerciseVisible(bool visible)
{
    lblNum1->setVisible(visible);
    lblNum2->setVisible(visible);
    Label10->setVisible(visible);
}

QString Tavola::numlett(speller::Decimal4 &numer)
{
    return speller::numlett(numer, numberWords);
}

} // namespace window
