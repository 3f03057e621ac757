#pragma once

#include <string>
#include <sys/types.h>

namespace startup {

/// Starts `program` with no arguments on `display`, its output discarded and its data, configuration and cache
/// in `home` (so a run never touches the user's records). Returns the child's pid.
pid_t launch(const std::string &program, const std::string &display, const std::string &home);

/// Ends the child and returns its peak resident memory in KiB.
long stopAndMeasurePeakKib(pid_t child);

/// True while the child has not exited.
bool isRunning(pid_t child);

} // namespace startup
