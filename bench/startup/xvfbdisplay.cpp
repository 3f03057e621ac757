#include "startup/xvfbdisplay.h"

#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace startup {

XvfbDisplay::XvfbDisplay()
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0) {
        close(pipeFds[0]);
        const std::string fd = std::to_string(pipeFds[1]);
        // -displayfd picks a free display and writes its number once the server accepts clients.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               static_cast<char *>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty()) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        throw std::runtime_error("Xvfb did not start (package xvfb)");
    }
    m_name = ":" + number;
}

XvfbDisplay::~XvfbDisplay()
{
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
}

void useDisplay(const std::string &name)
{
    setenv("DISPLAY", name.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("WAYLAND_DISPLAY");
}

} // namespace startup
