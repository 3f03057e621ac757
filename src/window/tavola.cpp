#include "window/tavola.h"

#include "window/characterkeys.h"

#include <QLineEdit>
#include <QPushButton>

namespace window {

Tavola::Tavola(std::unique_ptr<Dialogs> dialogs, narrator::Performer *performer,
               std::unique_ptr<engine::RandomSource> random, QWidget *parent)
    : QMainWindow(parent), Agent1(new narrator::Agent(performer, this)), m_dialogs(std::move(dialogs)),
      m_random(std::move(random))
{
    setObjectName(QStringLiteral("Tavola"));
    buildControls();
    connect(cmdNext, &QPushButton::clicked, this, &Tavola::cmdNext_Click);
    connect(new CharacterKeys(Text3), &CharacterKeys::typed, this, &Tavola::Text3_KeyPress);
    connect(Command3, &QPushButton::clicked, this, &Tavola::Command3_Click);
    connect(cmdExit1, &QPushButton::clicked, this, &Tavola::cmdExit1_Click);
}

Tavola::~Tavola() = default;

QString Tavola::numlett(speller::Decimal4 &numer)
{
    return speller::numlett(numer, numberWords);
}

} // namespace window
