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

} // namespace startup
