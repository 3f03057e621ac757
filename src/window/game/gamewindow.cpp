#include "window/game/gamewindow.h"

#include "engine/round.h"
#include "window/app/onepressperenter.h"
#include "window/game/characterkeys.h"
#include "window/widgets/designlabel.h"
#include "window/widgets/drawingsurface.h"
#include "window/widgets/shape.h"

#include <QLineEdit>
#include <QPushButton>

namespace window {
namespace {

constexpr int enterKey = 13;

} // namespace

GameWindow::GameWindow(engine::Round &round, narrator::Agent &narrator, std::unique_ptr<Dialogs> dialogs,
                       std::unique_ptr<records::RecordKeeper> record, QWidget *parent)
    : QMainWindow(parent), m_round(round), m_narrator(narrator), m_dialogs(std::move(dialogs)),
      m_record(std::move(record))
{
    setObjectName(QStringLiteral("Tavola"));
    buildControls();
    addProgressEntry();
    bindRound();
    connect(m_nextExerciseButton, &QPushButton::clicked, &m_round, &engine::Round::nextExercise);
    connect(m_exitButton, &QPushButton::clicked, &m_round, &engine::Round::end);
    connect(new CharacterKeys(m_answerBox), &CharacterKeys::typed, this, &GameWindow::answerKeyTyped);
    new OnePressPerEnter(this);
}

GameWindow::~GameWindow() = default;

void GameWindow::answerKeyTyped(int key)
{
    // A judged exercise is closed until the next one: typing then neither shows the printed
    // exercise again nor judges anything, so the screen keeps the verdict as it was given.
    // Enter moves on, as it does on "Nuovo calcolo": a child back in the box is never stuck.
    if (m_round.isJudged()) {
        if (key == enterKey)
            m_nextExerciseButton->click();
        return;
    }
    m_surface->clearDrawing();
    setPrintedExerciseVisible(true);
    if (key == enterKey)
        m_round.judge(m_answerBox->text());
}

narrator::Character GameWindow::merlin() const
{
    return m_narrator.characters().item(narrator::merlinName);
}

void GameWindow::setPrintedExerciseVisible(bool visible)
{
    m_firstFactorLabel->setVisible(visible);
    m_secondFactorLabel->setVisible(visible);
    m_timesSignLabel->setVisible(visible);
}

QList<QRect> GameWindow::narratorMustNotCover() const
{
    const QWidget *client = m_verdictLabel->parentWidget();
    const auto onScreen = [client](const QRect &r) { return QRect(client->mapToGlobal(r.topLeft()), r.size()); };
    // The verdict and the printed exercise take the width of their text: their whole row, to the
    // window's edge, holds them at their widest.
    const auto rowFrom = [client](const QWidget *label, int height) {
        return QRect(label->pos(), QPoint(client->width() - 1, label->y() + height - 1));
    };
    const int verdictHeight = std::max(m_verdictLabel->height(), m_verdictLabel->fontMetrics().height());
    const int exerciseHeight = std::max({m_firstFactorLabel->geometry().bottom(), m_timesSignLabel->geometry().bottom(),
                                         m_secondFactorLabel->geometry().bottom()}) -
                               m_firstFactorLabel->y() + 1;
    return {onScreen(rowFrom(m_verdictLabel, verdictHeight)), onScreen(rowFrom(m_firstFactorLabel, exerciseHeight)),
            onScreen(m_scorePanel->geometry()), onScreen(m_clockPanel->geometry()), onScreen(m_answerBox->geometry())};
}

} // namespace window
