#include "window/tavola.h"

#include "clock/clockreading.h"
#include "narrator/stage.h"
#include "records/recordfiles.h"

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

void Tavola::Form_Load()
{
    correctCount = 0;
    wrongCount = 0;

    // The greeting uses the name exactly as typed, before the fallback below.
    const QString typedName = withControlsBlanked(m_dialogs->askName(QStringLiteral("Come ti chiami?")));
    m_dialogs->tell(QLatin1Char(' ') + typedName + QStringLiteral(" vediamo se sei un vero campione  "));
    lblnome1->setText(typedName);
    if (lblnome1->text().isEmpty())
        lblnome1->setText(QStringLiteral("Amico"));
    Txtnome1 = lblnome1->text();

    // Reads "00:00:00" until activation writes the start display; no tick is handled before then.
    lblconto->setText(countdown::ClockReading{clockHours, clockMinutes, clockSeconds}.display());
    ResetClock();

    windowsDir = records::GetSystemDir();
    records::prepareRecordFiles(windowsDir);
    lblpunti->setText(records::Leggifiletxt(windowsDir + records::bestScoreFileName));
    lblnome->setText(records::Leggifiletxt(windowsDir + records::championFileName));

    Agent1->Characters().Load(narrator::merlinName, narrator::merlinFile);
    narrator::Character narrator = Agent1->Characters().Item(narrator::merlinName);
    narrator::takeTheStage(narrator, QStringLiteral("Announce"));
    narrator.Speak(introduction);

    setPrintedExerciseVisible(false);
}

void Tavola::Form_Activate()
{
    cmdNext_Click();
    // The first exercise is set while both counters read 0.
    wrongCount = 0;
    correctCount = 0;
    lblconto->setText(countdown::startDisplay);
}

} // namespace window
