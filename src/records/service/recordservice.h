#pragma once

#include "records/service/request.h"
#include "records/service/ticketbook.h"
#include "records/store/recordstore.h"

#include <chrono>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace records::service {

/// The longest a game lasts, in seconds: no save may claim more right answers than this, one a second.
inline constexpr int longestGameSeconds = 7 * 60;

/// The record's directory, which must be the running account's own and writable by it alone: a directory that
/// another account may change could have the pair swapped under the service.
class OwnDirectory : public store::Directory
{
public:
    explicit OwnDirectory(const std::string &path);
};

/// What the record service answers: the pair for "read", a ticket for "begin", and for "save" the record written
/// or kept, when the ticket, the score and the name hold. Every failure is a "refused" line with the reason.
class RecordService
{
public:
    RecordService(std::string directory, std::chrono::seconds ticketLifetime);

    /// Takes up the tickets the service held before a restart; a file it cannot read is said on stderr and left.
    void loadTickets(WallTime now);

    /// The answer to the request `line` (without its line feed) of the account `caller`.
    std::string answer(std::string_view line, uid_t caller, WallTime now);

private:
    std::string save(const SaveRequest &request, uid_t caller, WallTime now);

    std::string m_directory;
    TicketBook m_tickets;
};

} // namespace records::service
