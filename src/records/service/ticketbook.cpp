#include "records/service/ticketbook.h"

#include "records/service/request.h"
#include "records/store/recordstore.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <utility>

#include <sys/random.h>

namespace records::service {
namespace {

constexpr std::size_t randomBytes = 16;

std::string randomTicketId()
{
    std::array<unsigned char, randomBytes> bytes{};
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t count = getrandom(bytes.data() + got, bytes.size() - got, 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw store::Failure(std::string("Impossibile iniziare la partita: ") + std::strerror(errno));
        got += std::size_t(count);
    }
    constexpr std::string_view digits = "0123456789abcdef";
    std::string id;
    for (const unsigned char byte : bytes) {
        id += digits[byte >> 4];
        id += digits[byte & 0xf];
    }
    return id;
}

template <typename Number> bool readNumber(std::string_view word, Number &number)
{
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    return error == std::errc() && end == word.data() + word.size();
}

} // namespace

WallTime wallTimeNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return WallTime(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::string TicketBook::begin(uid_t caller, WallTime now)
{
    dropExpired(now);
    makeRoomFor(caller);
    m_tickets.push_back({randomTicketId(), caller, now, false});
    return m_tickets.back().id;
}

std::variant<int, std::string> TicketBook::use(std::string_view id, uid_t caller, WallTime now)
{
    const auto ticket =
        std::find_if(m_tickets.begin(), m_tickets.end(), [id](const Ticket &ticket) { return ticket.id == id; });
    if (ticket == m_tickets.end())
        return std::string("la partita non è stata iniziata con il servizio del record");
    if (ticket->owner != caller)
        return std::string("la partita è stata iniziata da un altro account");
    if (std::exchange(ticket->used, true))
        return std::string("il punteggio di questa partita è già stato salvato");
    if (hasExpired(*ticket, now))
        return std::string("la partita è iniziata troppo tempo fa");
    // A wall clock set back makes no time pass.
    return int(std::max<WallTime>(now - ticket->begun, 0) / 1000);
}

std::string TicketBook::text(WallTime now) const
{
    std::string lines;
    for (const Ticket &ticket : m_tickets) {
        if (!hasExpired(ticket, now)) {
            lines += ticket.id + ' ' + std::to_string(ticket.owner) + ' ' + std::to_string(ticket.begun) +
                     (ticket.used ? " 1\n" : " 0\n");
        }
    }
    return lines;
}

void TicketBook::load(std::string_view text, WallTime now)
{
    m_tickets.clear();
    while (!text.empty()) {
        const std::size_t lineFeed = text.find('\n');
        std::string_view rest = text.substr(0, lineFeed);
        text.remove_prefix(lineFeed == std::string_view::npos ? text.size() : lineFeed + 1);
        Ticket ticket{std::string(takeWord(rest)), 0, 0, false};
        int used = 0;
        if (ticket.id.size() == 2 * randomBytes && readNumber(takeWord(rest), ticket.owner) &&
            readNumber(takeWord(rest), ticket.begun) && readNumber(rest, used) && (used == 0 || used == 1)) {
            ticket.used = used == 1;
            makeRoomFor(ticket.owner);
            m_tickets.push_back(std::move(ticket));
        }
    }
    dropExpired(now);
}

bool TicketBook::hasExpired(const Ticket &ticket, WallTime now) const
{
    return now - ticket.begun >= std::chrono::milliseconds(m_lifetime).count();
}

void TicketBook::dropExpired(WallTime now)
{
    std::erase_if(m_tickets, [this, now](const Ticket &ticket) { return hasExpired(ticket, now); });
}

void TicketBook::makeRoomFor(uid_t caller)
{
    const auto owned = [caller](const Ticket &ticket) { return ticket.owner == caller; };
    if (std::size_t(std::count_if(m_tickets.begin(), m_tickets.end(), owned)) >= mostPerAccount)
        m_tickets.erase(std::find_if(m_tickets.begin(), m_tickets.end(), owned));
    if (m_tickets.size() >= mostInAll)
        m_tickets.erase(m_tickets.begin());
}

} // namespace records::service
