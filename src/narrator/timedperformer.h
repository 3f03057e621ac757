#pragma once

#include "narrator/performer.h"

#include <QTimer>

namespace narrator {

/// A stand-in that makes no sound and draws nothing: it finishes each request after the time
/// it would roughly take, so the queue keeps its pace. It says so once on standard error.
class TimedPerformer final : public Performer
{
    Q_OBJECT
public:
    explicit TimedPerformer(QObject *parent = nullptr);
    void perform(const Request &request) override;

    /// How long a request is taken to last.
    static int durationMs(const Request &request);

private:
    QTimer m_timer;
};

} // namespace narrator
