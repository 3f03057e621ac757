#pragma once

#include <string>
#include <sys/types.h>

namespace startup {

/// A private Xvfb server for the benchmark's lifetime, on the first free display number.
class XvfbDisplay
{
public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay &) = delete;
    XvfbDisplay &operator=(const XvfbDisplay &) = delete;

    /// The DISPLAY value, such as ":12".
    const std::string &name() const { return m_name; }

private:
    pid_t m_pid = -1;
    std::string m_name;
};

/// Points this process, and the programs it starts from now on, at the X display `name` through X11 only.
void useDisplay(const std::string &name);

} // namespace startup
