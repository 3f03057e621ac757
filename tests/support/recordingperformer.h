#pragma once

#include "narrator/performer.h"

#include <QStringList>

/// Performs every request at once and keeps what it was asked, in order, as readable lines.
class RecordingPerformer final : public narrator::Performer
{
public:
    void perform(const narrator::Request &request) override
    {
        log.append(request.describe());
        Q_EMIT finished();
    }

    QStringList log;
};
