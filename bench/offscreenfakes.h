#pragma once

#include "narrator/performer.h"
#include "window/dialogs.h"

/// Stand-ins that let a benchmark drive the window offscreen: no box waits, and the narrator finishes at once, so
/// its queue costs what it costs and no more.
class NoDialogs final : public window::Dialogs
{
public:
    QString askName(const QString &) override { return {}; }
    void tell(const QString &) override {}
};

class InstantPerformer final : public narrator::Performer
{
public:
    void perform(const narrator::Request &) override { Q_EMIT finished(); }
};
