#include "records/service/connectionloop.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <poll.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace records::service {
namespace {

using Clock = std::chrono::steady_clock;

// One caller's connection: its request as it arrives, then the answer as it leaves.
struct Connection
{
    int fd;
    uid_t caller;
    Clock::time_point deadline;
    std::string request;
    std::string answer;
    std::size_t sent = 0;
    bool answering = false;
};

class ConnectionLoop
{
public:
    ConnectionLoop(int listener, int signals, RecordService &service, const ConnectionLimits &limits)
        : m_listener(listener), m_signals(signals), m_service(service), m_limits(limits)
    {}
    ~ConnectionLoop()
    {
        for (const Connection &connection : m_connections)
            close(connection.fd);
    }
    ConnectionLoop(const ConnectionLoop &) = delete;
    ConnectionLoop &operator=(const ConnectionLoop &) = delete;

    int run()
    {
        std::vector<pollfd> watched;
        for (;;) {
            watched.assign({{m_signals, POLLIN, 0}, {m_listener, POLLIN, 0}});
            for (const Connection &connection : m_connections)
                watched.push_back({connection.fd, short(connection.answering ? POLLOUT : POLLIN), 0});
            if (poll(watched.data(), watched.size(), timeoutMilliseconds()) < 0 && errno != EINTR) {
                std::fprintf(stderr, "quorvane-recordd: poll: %s\n", std::strerror(errno));
                return 1;
            }
            if (watched[0].revents != 0)
                return 0;
            // Connections first: those accepted now are not in `watched`.
            for (std::size_t i = m_connections.size(); i-- > 0;) {
                if (!progress(m_connections[i], watched[i + 2].revents))
                    dropConnection(i);
            }
            if (watched[1].revents != 0)
                acceptConnections();
        }
    }

private:
    int timeoutMilliseconds() const
    {
        if (m_connections.empty())
            return -1;
        const auto nearest =
            std::min_element(m_connections.begin(), m_connections.end(), [](const Connection &a, const Connection &b) {
                return a.deadline < b.deadline;
            })->deadline;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(nearest - Clock::now()).count();
        return int(std::max<decltype(left)>(left, 0));
    }

    void dropConnection(std::size_t index)
    {
        close(m_connections[index].fd);
        m_connections.erase(m_connections.begin() + std::ptrdiff_t(index));
    }

    void acceptConnections()
    {
        for (;;) {
            const int fd = accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EINTR || errno == ECONNABORTED)
                    continue;
                return; // EAGAIN: none left; anything else (out of descriptors) waits for the next round
            }
            ucred credentials{};
            socklen_t size = sizeof credentials;
            if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || !hasRoomFor(credentials.uid)) {
                close(fd);
                continue;
            }
            m_connections.push_back({fd, credentials.uid, Clock::now() + m_limits.requestTime, {}, {}});
        }
    }

    bool hasRoomFor(uid_t caller) const
    {
        const auto callers =
            std::count_if(m_connections.begin(), m_connections.end(),
                          [caller](const Connection &connection) { return connection.caller == caller; });
        return m_connections.size() < m_limits.inAll && std::size_t(callers) < m_limits.perAccount;
    }

    // Moves `connection` on as far as it goes without waiting; false once it is done with.
    bool progress(Connection &connection, short events)
    {
        if (Clock::now() >= connection.deadline)
            return false;
        if (events == 0)
            return true;
        return connection.answering ? send(connection) : receive(connection);
    }

    bool receive(Connection &connection)
    {
        char bytes[512];
        for (;;) {
            const std::size_t room = std::min(sizeof bytes, m_limits.longestRequest - connection.request.size());
            const ssize_t count = recv(connection.fd, bytes, room, MSG_DONTWAIT);
            if (count < 0)
                return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
            if (count == 0)
                return false; // the caller left before its request ended
            connection.request.append(bytes, std::size_t(count));
            const std::size_t lineFeed = connection.request.find('\n');
            if (lineFeed != std::string::npos) {
                connection.request.resize(lineFeed);
                return startAnswer(connection, m_service.answer(connection.request, connection.caller, wallTimeNow()));
            }
            if (connection.request.size() >= m_limits.longestRequest) {
                return startAnswer(connection, "refused Richiesta non valida: più lunga di " +
                                                   std::to_string(m_limits.longestRequest) + " byte\n");
            }
        }
    }

    bool startAnswer(Connection &connection, std::string answer)
    {
        connection.answer = std::move(answer);
        connection.answering = true;
        connection.deadline = Clock::now() + m_limits.answerTime;
        return send(connection);
    }

    bool send(Connection &connection)
    {
        while (connection.sent < connection.answer.size()) {
            const ssize_t count = ::send(connection.fd, connection.answer.data() + connection.sent,
                                         connection.answer.size() - connection.sent, MSG_DONTWAIT | MSG_NOSIGNAL);
            if (count < 0)
                return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
            connection.sent += std::size_t(count);
        }
        return false; // all said: the connection ends
    }

    int m_listener;
    int m_signals;
    RecordService &m_service;
    ConnectionLimits m_limits;
    std::vector<Connection> m_connections;
};

} // namespace

sigset_t endingSignals()
{
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGINT);
    return ending;
}

int serveConnections(int listener, RecordService &service, const ConnectionLimits &limits)
{
    const sigset_t ending = endingSignals();
    const int signals = signalfd(-1, &ending, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signals < 0) {
        std::fprintf(stderr, "quorvane-recordd: signalfd: %s\n", std::strerror(errno));
        return 1;
    }
    const int status = ConnectionLoop(listener, signals, service, limits).run();
    close(signals);
    return status;
}

} // namespace records::service
