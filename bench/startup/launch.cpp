#include "startup/launch.h"

#include "startup/xvfbdisplay.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace startup {

pid_t launch(const std::string &program, const std::string &display, const std::string &home)
{
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        useDisplay(display);
        setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    return child;
}

long stopAndMeasurePeakKib(pid_t child)
{
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        throw std::runtime_error("wait4 failed");
    return usage.ru_maxrss;
}

bool isRunning(pid_t child)
{
    // WNOWAIT leaves an exited child to be reaped, with its figures, by stopAndMeasurePeakKib.
    siginfo_t info{};
    return waitid(P_PID, id_t(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

} // namespace startup
