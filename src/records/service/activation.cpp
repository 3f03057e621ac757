#include "records/service/activation.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records::service {
namespace {

constexpr int firstPassedDescriptor = 3;

} // namespace

std::optional<int> passedSocket()
{
    const char *pid = std::getenv("LISTEN_PID");
    const char *count = std::getenv("LISTEN_FDS");
    const bool ours = pid != nullptr && count != nullptr && std::string_view(count) == "1" &&
                      std::string_view(pid) == std::to_string(getpid());
    unsetenv("LISTEN_PID");
    unsetenv("LISTEN_FDS");
    unsetenv("LISTEN_FDNAMES");
    struct stat status
    {};
    if (!ours || fstat(firstPassedDescriptor, &status) != 0 || !S_ISSOCK(status.st_mode))
        return std::nullopt;
    const int flags = fcntl(firstPassedDescriptor, F_GETFL);
    if (flags < 0 || fcntl(firstPassedDescriptor, F_SETFL, flags | O_NONBLOCK) != 0 ||
        fcntl(firstPassedDescriptor, F_SETFD, FD_CLOEXEC) != 0)
        return std::nullopt;
    return firstPassedDescriptor;
}

} // namespace records::service
