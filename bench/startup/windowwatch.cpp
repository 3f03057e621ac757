#include "startup/windowwatch.h"

#include "startup/launch.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include <poll.h>

namespace startup {
namespace {

// xcb replies are malloc'd.
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> owned(T *reply)
{
    return Reply<T>(reply, &std::free);
}

} // namespace

WindowWatch::WindowWatch(const std::string &display)
{
    m_connection = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(m_connection))
        throw std::runtime_error("cannot connect to X display " + display);
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    // With no window manager, every top-level window is a child of the root: its mapping is reported here.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
}

WindowWatch::~WindowWatch()
{
    xcb_disconnect(m_connection);
}

std::optional<SeenWindow> WindowWatch::firstWindowOf(pid_t pid, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    pollfd connection{xcb_get_file_descriptor(m_connection), POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline && isRunning(pid)) {
        while (const auto event = owned(xcb_poll_for_event(m_connection))) {
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto mappedAt = std::chrono::steady_clock::now();
            const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event.get());
            if (ownerOf(map->window) == pid)
                return describe(map->window, mappedAt);
        }
        if (xcb_connection_has_error(m_connection))
            throw std::runtime_error("lost the X connection");
        poll(&connection, 1, 5); // wake now and then to notice a program that ended without a window
    }
    return std::nullopt;
}

std::optional<pid_t> WindowWatch::ownerOf(xcb_window_t window)
{
    const auto reply = owned(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return std::nullopt;
    return pid_t(*static_cast<const uint32_t *>(xcb_get_property_value(reply.get())));
}

SeenWindow WindowWatch::describe(xcb_window_t window, std::chrono::steady_clock::time_point mappedAt)
{
    SeenWindow seen;
    seen.mappedAt = mappedAt;
    const auto property = [&](xcb_atom_t name, xcb_atom_t type, uint32_t length) {
        return owned(xcb_get_property_reply(m_connection,
                                            xcb_get_property(m_connection, 0, window, name, type, 0, length), nullptr));
    };
    if (const auto title = property(atom("_NET_WM_NAME"), atom("UTF8_STRING"), 256))
        seen.title.assign(static_cast<const char *>(xcb_get_property_value(title.get())),
                          size_t(xcb_get_property_value_length(title.get())));
    if (const auto type = property(atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 1);
        type && xcb_get_property_value_length(type.get()) == 4) {
        seen.type = atomName(*static_cast<const xcb_atom_t *>(xcb_get_property_value(type.get())));
        const std::string prefix = "_NET_WM_WINDOW_TYPE_";
        if (seen.type.starts_with(prefix))
            seen.type.erase(0, prefix.size());
    }
    if (const auto transient = property(XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1))
        seen.transient = xcb_get_property_value_length(transient.get()) == 4;
    if (const auto geometry =
            owned(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr))) {
        seen.width = geometry->width;
        seen.height = geometry->height;
    }
    return seen;
}

xcb_atom_t WindowWatch::atom(const char *name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 1, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string WindowWatch::atomName(xcb_atom_t atom)
{
    const auto reply = owned(xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, atom), nullptr));
    if (!reply)
        return {};
    return {xcb_get_atom_name_name(reply.get()), size_t(xcb_get_atom_name_name_length(reply.get()))};
}

} // namespace startup
