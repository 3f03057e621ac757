#include "commandline/commandline.h"
#include "engine/randomsource.h"
#include "engine/round.h"
#include "narrator/ondemandperformer.h"
#include "narrator/placement.h"
#include "narrator/wizardperformer.h"
#include "progress/historyfile.h"
#include "progress/progresswindow.h"
#include "records/recordkeeper.h"
#include "window/app/boxesontop.h"
#include "window/app/desktoprequired.h"
#include "window/app/dialogs.h"
#include "window/app/guardedapplication.h"
#include "window/game/gamewindow.h"
#include "window/widgets/layout.h"

#include <QTimer>

#include <iostream>

int main(int argc, char **argv)
{
    // --help and --version must answer without a display, so before Qt reads the arguments.
    if (const auto status = commandline::answer({argv + 1, argv + argc}, std::cout, std::cerr))
        return *status;
    const bool progressAlone = commandline::read({argv + 1, argv + argc}).request == commandline::Request::ShowProgress;
    narrator::placeWindowsThroughXWayland();
    // Without a usable display: one Italian line and status 1, rather than Qt's abort.
    window::DesktopRequired desktop;
    window::GuardedApplication app(argc, argv);
    desktop.release();
    window::loadItalianTranslation();
    // No window of the program lies over an open box, the wizard's included.
    new window::BoxesOnTop(&app);
    QApplication::setApplicationName(QStringLiteral("quorvane"));
    window::registerFontSubstitutes();
    // Ties the windows to the installed desktop entry, and so to its icon (task bar, Wayland app id).
    // No QIcon::fromTheme here: searching the icon theme visibly delays the first window.
    QApplication::setDesktopFileName(QStringLiteral("org.example.quorvane"));

    // Only the progress window: no name box, no Merlin, no countdown.
    if (progressAlone) {
        const QString path = progress::historyPath();
        progress::ProgressWindow window(path, std::nullopt, progress::checkAppendable(path).error());
        window.show();
        return app.exec();
    }

    // Merlin's window, voice and sound device are made at his first request, after the name box:
    // the program reaches its first box without them. The window exists by then.
    window::GameWindow *stage = nullptr;
    // Where the platform places every window itself (Wayland), he stands inside the game window: his window is then
    // the game window's child, so the narrator ends before the game window does (below).
    auto narrator = std::make_unique<narrator::Agent>(
        new narrator::OnDemandPerformer([&stage] {
            narrator::WizardPerformer *wizard =
                narrator::createWizardPerformer(narrator::wizardPlacesOwnWindows() ? nullptr : stage->centralWidget());
            wizard->setStageOrigin([stage] { return stage->frameGeometry().topLeft(); });
            wizard->setKeepClear([stage] { return stage->narratorMustNotCover(); });
            wizard->setKeyboardHome(stage);
            return wizard;
        }),
        nullptr);
    engine::Round round(std::make_unique<engine::ClockSeededRandom>());
    window::GameWindow game(round, *narrator, std::make_unique<window::MessageBoxDialogs>(),
                            records::chooseRecordKeeper());
    stage = &game;
    QObject::connect(&game, &window::GameWindow::programEnded, &app, &QCoreApplication::exit);
    // A failed record and a count past 16 bits end the game in the run-time error report, as an escaped
    // exception does.
    QObject::connect(&game, &window::GameWindow::runTimeError, &app, &window::GuardedApplication::reportRunTimeError);
    QObject::connect(&round, &engine::Round::overflowed, &app,
                     [] { window::GuardedApplication::reportRunTimeError(QStringLiteral("Overflow")); });
    // Start inside the event loop, so that a run-time error at start-up is reported like any other.
    // The clock runs from prepareGame on, but its first tick can only be handled after this whole
    // step, so it finds the start display that beginGame writes.
    QTimer::singleShot(0, &game, [&game] {
        if (!game.prepareGame())
            return;
        game.show();
        game.beginGame();
    });
    const int status = app.exec();
    narrator.reset();
    return status;
}
