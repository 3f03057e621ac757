#include "window/tavola.h"

#include "records/recordfiles.h"
#include "records/recordtest.h"
#include "window/designlabel.h"

#include <QTimer>

namespace window {

void Tavola::cmdExit1_Click()
{
    // Time that runs out while the goodbye waits would otherwise be announced again and again.
    Timer1->stop();
    // The boxes below keep events flowing: a tick or a second click must not start it again.
    if (m_leaving)
        return;
    m_leaving = true;

    m_dialogs->tell(QStringLiteral("Ciao. Ti aspetto per la prossima sfida "));
    // Compared with the record read at start-up, as shown in lblpunti.
    // A failed save throws past the confirmation, and a record that another game has beaten meanwhile is not
    // written: only a record that was kept is confirmed.
    if (records::isNewRecord(lblpunti->text(), lblScore->text()) &&
        records::saveRecord(windowsDir, lblScore->text(), lblnome1->text()))
        m_dialogs->tell(QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\""));
    Q_EMIT programEnded(0);
}

} // namespace window
