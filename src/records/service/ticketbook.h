#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <sys/types.h>

namespace records::service {

/// Milliseconds of the wall clock (CLOCK_REALTIME, which only root can change): they mean the same after a restart.
using WallTime = std::int64_t;

WallTime wallTimeNow();

/// The tickets of the games the service saw start. A ticket belongs to the account that began the game, serves one
/// save, and expires after a lifetime; each account holds a few at most, and all accounts together a bounded number.
class TicketBook
{
public:
    static constexpr std::size_t mostPerAccount = 8;
    static constexpr std::size_t mostInAll = 4096;

    explicit TicketBook(std::chrono::seconds lifetime) : m_lifetime(lifetime) {}

    /// A new ticket of `caller`, begun `now`: 32 lowercase hexadecimal digits of 128 random bits.
    std::string begin(uid_t caller, WallTime now);

    /// Uses up the ticket `id` for a save by `caller`: the whole seconds since its game began, or why it serves no
    /// save (in Italian). Any ticket of the caller's that it names is used, whatever the answer.
    std::variant<int, std::string> use(std::string_view id, uid_t caller, WallTime now);

    /// The book as the lines of its file, without the expired tickets.
    std::string text(WallTime now) const;
    /// Replaces the book by the tickets of `text`, written by text(); lines it cannot read and expired tickets are
    /// dropped.
    void load(std::string_view text, WallTime now);

private:
    struct Ticket
    {
        std::string id;
        uid_t owner;
        WallTime begun;
        bool used;
    };

    bool hasExpired(const Ticket &ticket, WallTime now) const;
    void dropExpired(WallTime now);
    void makeRoomFor(uid_t caller);

    std::chrono::seconds m_lifetime;
    std::vector<Ticket> m_tickets; // oldest first
};

} // namespace records::service
