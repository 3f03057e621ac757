#pragma once

#include "records/service/recordservice.h"

#include <chrono>
#include <cstddef>

#include <signal.h>

namespace records::service {

/// How much of the service one caller may take: a few connections per account and a bounded number in all, each
/// with a short time for its request and for its answer, so that no account can keep another out.
struct ConnectionLimits
{
    std::size_t perAccount = 4;
    std::size_t inAll = 256;
    std::size_t longestRequest = 1200;
    std::chrono::milliseconds requestTime{2000};
    std::chrono::milliseconds answerTime{2000};
};

/// The signals that end the service: SIGTERM (systemd's stop) and SIGINT.
sigset_t endingSignals();

/// Serves the connections of the listening socket `listener`, one request each, in one thread that never waits on a
/// caller, until one of the endingSignals() arrives (they must be blocked). Returns the process's exit status.
int serveConnections(int listener, RecordService &service, const ConnectionLimits &limits = {});

} // namespace records::service
