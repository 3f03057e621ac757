#include "window/game/gamewindow.h"

#include "engine/round.h"
#include "progress/historyfile.h"
#include "progress/progresswindow.h"

#include <QMenuBar>

namespace window {

void GameWindow::addProgressEntry()
{
    QAction *entry = menuBar()->addAction(QStringLiteral("I tuoi &progressi"));
    entry->setObjectName(QStringLiteral("progressEntry"));
    connect(entry, &QAction::triggered, this, &GameWindow::showProgress);
}

void GameWindow::showProgress()
{
    // This run's failed append, or else what would stop the next one.
    const QString writeError =
        m_historyError.isEmpty() ? progress::checkAppendable(progress::historyPath()).error() : m_historyError;
    auto *window = new progress::ProgressWindow(progress::historyPath(), m_round.typedName(), writeError, this);
    // Read like a box: on top of everything of the program, Merlin included, until it is closed.
    window->setModal(true);
    window->show();
}

void GameWindow::addGameToHistory()
{
    if (m_round.rightCount() + m_round.wrongCount() == 0)
        return;
    progress::GameResult game{
        QDateTime::currentDateTime(), m_round.typedName(), {m_round.rightCount(), m_round.wrongCount()}, {}};
    for (int fact = 0; fact < progress::factCount; ++fact)
        game.facts[fact] = {m_round.answersByFactor()[fact].right, m_round.answersByFactor()[fact].wrong};
    // A history that cannot be written costs the game nothing: it is said here, and in the progress window.
    m_historyError = progress::appendGame(progress::historyPath(), game).error();
    if (!m_historyError.isEmpty())
        qWarning("quorvane: %s", qPrintable(m_historyError));
}

} // namespace window
