#pragma once

#include <optional>

namespace records::service {

/// The one listening socket systemd passed this process (LISTEN_PID and LISTEN_FDS name it; it is descriptor 3),
/// made non-blocking; nothing when none was passed. The two variables are removed, so that no child takes them up.
std::optional<int> passedSocket();

} // namespace records::service
