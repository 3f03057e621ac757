#include "window/app/guardedapplication.h"

#include "window/app/dialogs.h"

#include <cstdio>
#include <exception>

namespace window {
namespace {

bool s_reporting = false;

} // namespace

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    // While the error is on screen no game timer may fire: the game is over.
    if (s_reporting && event->type() == QEvent::Timer)
        return false;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        reportRunTimeError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        reportRunTimeError(QStringLiteral("errore sconosciuto"));
    }
    return false;
}

void GuardedApplication::reportRunTimeError(const QString &what)
{
    if (s_reporting) // a second error while the first is on screen adds nothing
        return;
    s_reporting = true;
    const QString text = QStringLiteral("Errore di run-time: ") + what;
    std::fprintf(stderr, "quorvane: %s\n", qPrintable(text));
    showBox(QMessageBox::Critical, text);
    exit(runTimeErrorStatus);
}

} // namespace window
