#pragma once

#include <QApplication>

namespace window {

/// The application, with the one place where a run-time error that escapes an event handler
/// ends up: it is shown in a message box and the program ends with a non-zero status.
class GuardedApplication : public QApplication
{
    Q_OBJECT
public:
    static constexpr int runTimeErrorStatus = 3;

    GuardedApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    /// Shows `what` as a run-time error and ends the program.
    static void reportRunTimeError(const QString &what);
};

} // namespace window
