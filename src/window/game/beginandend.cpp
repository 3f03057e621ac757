#include "window/game/gamewindow.h"

#include "engine/round.h"
#include "window/widgets/designlabel.h"

namespace window {
namespace {

const QString introduction = QStringLiteral(
    "Allora attenzione, iniziamo la nostra avventura con la tabellina del 7. Io detto e tu scrivi il risultato "
    "nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta che io finisca di "
    "parlare e premi ancora invio per avere la domanda successiva");

} // namespace

bool GameWindow::prepareGame()
{
    m_round.name(m_dialogs->askName(QStringLiteral("Come ti chiami?")));
    const QString practice = m_practice ? preparePractice() : QString();
    // The greeting uses the name exactly as typed, before the fallback to "Amico".
    m_dialogs->tell(QLatin1Char(' ') + m_round.typedName() + QStringLiteral(" vediamo se sei un vero campione  "));

    // Reads "00:00:00" until the game begins and writes the start display; no tick is handled before then.
    m_round.startClock();

    if (const Outcome<> prepared = m_record->prepare(); !prepared.ok()) {
        Q_EMIT runTimeError(prepared.error());
        return false;
    }
    // A ripasso game only shows the record: one not made yet stays unmade.
    const Outcome<records::StoredRecord> read = m_practice ? m_record->readPairAsItStands() : m_record->readPair();
    if (!read.ok() && !m_record->isShared()) {
        Q_EMIT runTimeError(read.error());
        return false;
    }
    // Another child's game that holds the computer's record, or a record service that does not answer, must not keep
    // this child from playing: the game plays against an empty record, and a new best score is still judged against the
    // stored one when it is saved.
    if (!read.ok())
        qWarning("quorvane: il record del computer non è disponibile: %s", qPrintable(read.error()));
    const records::StoredRecord record = read.ok() ? read.value() : records::unavailableRecord;
    m_round.playAgainst(record.bestScore);
    m_bestScoreLabel->setText(record.bestScoreLine);
    m_championNameLabel->setText(record.championLine);

    m_narrator.characters().load(narrator::merlinName);
    narrator::Character narrator = merlin();
    narrator::takeTheStage(narrator, QStringLiteral("Announce"));
    narrator.speak(introduction);
    // A sentence of its own in the balloon, not run on after the introduction.
    if (m_practice) {
        narrator.show();
        narrator.speak(practice);
    }

    setPrintedExerciseVisible(false);
    return true;
}

void GameWindow::beginGame()
{
    // The computer's record takes a score only as high as the time since this moment allows. Without it this game
    // cannot set the computer's record, but it plays; a ripasso game never sets one.
    if (!m_practice) {
        if (const Outcome<> started = m_record->startTimedGame(); !started.ok())
            qWarning("quorvane: %s", qPrintable(started.error()));
    }
    m_round.begin();
}

void GameWindow::leave()
{
    addGameToHistory();
    m_dialogs->tell(QStringLiteral("Ciao. Ti aspetto per la prossima sfida "));
    // Compared with the record read at start-up; a record that another game has beaten meanwhile is not written:
    // only a record that was kept is confirmed.
    if (m_round.beatsRecord()) {
        const Outcome<bool> saved = m_record->saveBest(m_round.rightCount(), m_round.playerName());
        if (!saved.ok()) {
            // Another account's game can keep the computer's record busy: that costs this game its record, said in a
            // box, never its orderly end. The account's own record keeps its failures fatal.
            if (!m_record->isShared()) {
                Q_EMIT runTimeError(saved.error());
                return;
            }
            qWarning("quorvane: %s", qPrintable(saved.error()));
            m_dialogs->tell(saved.error());
        } else if (saved.value()) {
            m_dialogs->tell(QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\""));
        }
    } else if (m_round.isPractice()) {
        m_dialogs->tell(QStringLiteral("Era un ripasso: il record resta com'era"));
    }
    Q_EMIT programEnded(0);
}

} // namespace window
