#include "window/tavola.h"

#include "engine/round.h"
#include "records/helperclient.h"
#include "records/recordfiles.h"
#include "records/newrecord.h"

namespace window {

void Tavola::leave()
{
    // Time that runs out while the goodbye waits would otherwise be announced again and again.
    m_round->stopClock();
    // The boxes below keep events flowing: a tick or a second click must not start it again.
    if (m_leaving)
        return;
    m_leaving = true;

    addGameToHistory();
    m_dialogs->tell(QStringLiteral("Ciao. Ti aspetto per la prossima sfida "));
    // Compared with the record read at start-up.
    // A failed save throws past the confirmation, and a record that another game has beaten meanwhile is not
    // written: only a record that was kept is confirmed.
    if (records::isNewRecord(m_storedBestScore, m_round->rightCount()) && saveRecord())
        m_dialogs->tell(QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\""));
    Q_EMIT programEnded(0);
}

bool Tavola::saveRecord()
{
    try {
        return records::saveRecord(m_recordDirectory, m_round->rightCount(), m_round->playerName());
    } catch (const std::exception &error) {
        // Another account's game can keep the computer's record busy: that costs this game its record, said in a
        // box, never its orderly end. Each account's own record keeps its errors fatal.
        if (!records::isShared(m_recordDirectory))
            throw;
        const QString why = QString::fromLocal8Bit(error.what());
        qWarning("quorvane: %s", qPrintable(why));
        m_dialogs->tell(why);
        return false;
    }
}

} // namespace window
