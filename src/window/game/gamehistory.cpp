#include "window/game/gamewindow.h"

#include "engine/round.h"
#include "progress/historyfile.h"
#include "progress/progresswindow.h"
#include "window/widgets/designlabel.h"

#include <QEventLoop>
#include <QMenuBar>
#include <QThread>

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
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Read like a box: on top of everything of the program, Merlin included, until it is closed.
    window->setModal(true);
    // The game waits meanwhile: no second is lost, and no exercise is left to think over.
    const bool exerciseShown = !m_firstFactorLabel->isHidden();
    setPrintedExerciseVisible(false);
    m_round.pauseClock();
    m_narrator.queue()->hold();
    connect(window, &QDialog::finished, this, [this, exerciseShown] {
        m_narrator.queue()->release();
        m_round.resumeClock();
        setPrintedExerciseVisible(exerciseShown);
    });
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
    // The lock and the disk are waited on aside, for a bounded time: the window goes on drawing meanwhile, and takes
    // no input until the goodbye.
    const QString path = progress::historyPath();
    const std::unique_ptr<QThread> writer(
        QThread::create([this, path, game] { m_historyError = progress::appendGame(path, game).error(); }));
    QEventLoop written;
    connect(writer.get(), &QThread::finished, &written, &QEventLoop::quit);
    writer->start();
    written.exec(QEventLoop::ExcludeUserInputEvents);
    writer->wait();
    // A history that cannot be written costs the game nothing: it is said here, and in the progress window.
    if (!m_historyError.isEmpty())
        qWarning("quorvane: %s", qPrintable(m_historyError));
}

} // namespace window
