#include "window/tavola.h"

#include "engine/round.h"
#include "narrator/stage.h"
#include "records/helperclient.h"
#include "records/recordfiles.h"
#include "window/designlabel.h"

namespace window {
namespace {

const QString introduction = QStringLiteral(
    "Allora attenzione, iniziamo la nostra avventura con la tabellina del 7. Io detto e tu scrivi il risultato "
    "nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta che io finisca di "
    "parlare e premi ancora invio per avere la domanda successiva");

// Line ends, tabs and the other control characters would break the greeting, the labels and the
// record file's one line: each becomes a blank. Every other character stays as typed.
QString withControlsBlanked(QString name)
{
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return name;
}

} // namespace

void Tavola::prepareGame()
{
    m_round->resetCounts();

    // The greeting uses the name exactly as typed, before the fallback below.
    const QString typedName = withControlsBlanked(m_dialogs->askName(QStringLiteral("Come ti chiami?")));
    m_dialogs->tell(QLatin1Char(' ') + typedName + QStringLiteral(" vediamo se sei un vero campione  "));
    m_typedName = typedName;
    const QString playerName = typedName.isEmpty() ? QStringLiteral("Amico") : typedName;
    m_playerNameLabel->setText(playerName);
    m_round->setPlayerName(playerName);

    // Reads "00:00:00" until the game begins and writes the start display; no tick is handled before then.
    m_round->startClock();

    m_recordDirectory = records::recordDirectory();
    const records::StoredRecord record = readStoredRecord();
    m_bestScoreLabel->setText(record.bestScore);
    m_championNameLabel->setText(record.champion);

    m_agent->Characters().Load(narrator::merlinName, narrator::merlinFile);
    narrator::Character narrator = m_agent->Characters().Item(narrator::merlinName);
    narrator::takeTheStage(narrator, QStringLiteral("Announce"));
    narrator.Speak(introduction);

    setPrintedExerciseVisible(false);
}

records::StoredRecord Tavola::readStoredRecord()
{
    try {
        const records::StoredRecord record = records::readRecord(m_recordDirectory);
        m_storedBestScore = record.bestScore;
        return record;
    } catch (const std::exception &error) {
        // The computer's record is shared with every account: another child's game that holds it, or a helper
        // that cannot run, must not keep this child from playing. The game plays against an empty record; a new
        // best score is still judged against the stored one when it is saved. Each account's own record keeps
        // its errors fatal: only its owner can break it.
        if (!records::isShared(m_recordDirectory))
            throw;
        qWarning("quorvane: il record del computer non è disponibile: %s", error.what());
        m_storedBestScore.clear();
        return records::unavailableRecord;
    }
}

void Tavola::beginGame()
{
    nextExercise();
    // The first exercise is set while both counts read 0.
    m_round->resetCounts();
    m_round->showStartDisplay();
}

} // namespace window
