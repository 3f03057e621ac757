#include "window/tavola.h"

#include "engine/round.h"
#include "progress/historyfile.h"
#include "progress/progresswindow.h"
#include "window/designlabel.h"

#include <QEventLoop>
#include <QMenuBar>
#include <QThread>

namespace window {

void Tavola::addProgressEntry()
{
    QAction *entry = menuBar()->addAction(QStringLiteral("I tuoi &progressi"));
    entry->setObjectName(QStringLiteral("progressEntry"));
    connect(entry, &QAction::triggered, this, &Tavola::showProgress);
}

void Tavola::showProgress()
{
    auto *window = new progress::ProgressWindow(progress::historyPath(), m_typedName, m_historyError, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Read like a box: on top of everything of the program, Merlin included, until it is closed.
    window->setModal(true);
    // The game waits meanwhile: no second is lost, and no exercise is left to think over.
    const bool exerciseShown = !m_firstFactorLabel->isHidden();
    setPrintedExerciseVisible(false);
    m_round->pauseClock();
    m_agent->queue()->hold();
    connect(window, &QDialog::finished, this, [this, exerciseShown] {
        m_agent->queue()->release();
        m_round->resumeClock();
        setPrintedExerciseVisible(exerciseShown);
    });
    window->show();
}

void Tavola::addGameToHistory()
{
    if (m_round->rightCount() + m_round->wrongCount() == 0)
        return;
    progress::GameResult game{
        QDateTime::currentDateTime(), m_typedName, {m_round->rightCount(), m_round->wrongCount()}, {}};
    for (int fact = 0; fact < progress::factCount; ++fact)
        game.facts[fact] = {m_round->answersByFactor()[fact].right, m_round->answersByFactor()[fact].wrong};
    // The lock and the disk are waited on aside, for a bounded time: the window goes on drawing meanwhile, and takes
    // no input until the goodbye.
    const QString path = progress::historyPath();
    const std::unique_ptr<QThread> writer(
        QThread::create([this, path, game] { m_historyError = progress::appendGame(path, game); }));
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
