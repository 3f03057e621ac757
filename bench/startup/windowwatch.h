#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>

#include <xcb/xcb.h>

namespace startup {

/// What the benchmark saw on screen: enough to tell a name box from a main window.
struct SeenWindow
{
    std::chrono::steady_clock::time_point mappedAt;
    std::string title;
    std::string type; ///< the first _NET_WM_WINDOW_TYPE, without its prefix
    int width = 0;
    int height = 0;
    bool transient = false; ///< WM_TRANSIENT_FOR set: a dialog over another window
};

/// Watches the top-level windows of one X display as they are mapped.
class WindowWatch
{
public:
    explicit WindowWatch(const std::string &display);
    ~WindowWatch();
    WindowWatch(const WindowWatch &) = delete;
    WindowWatch &operator=(const WindowWatch &) = delete;

    /// Waits for the first top-level window of process `pid` to be mapped; nothing if the process ends or
    /// `timeout` passes first.
    std::optional<SeenWindow> firstWindowOf(pid_t pid, std::chrono::milliseconds timeout);

private:
    std::optional<pid_t> ownerOf(xcb_window_t window);
    SeenWindow describe(xcb_window_t window, std::chrono::steady_clock::time_point mappedAt);
    xcb_atom_t atom(const char *name);
    std::string atomName(xcb_atom_t atom);

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
};

} // namespace startup
