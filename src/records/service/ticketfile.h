#pragma once

#include "records/store/recordstore.h"

#include <string>
#include <string_view>

/// The file "tickets" in the record's directory: the ticket book kept across a restart of the service (an upgrade
/// restarts it in the middle of games). Readable and writable by the record's account alone.
namespace records::service {

/// What the file holds; nothing when there is none yet.
std::string readTicketFile(const store::Directory &directory);

/// Replaces the file whole with `text`, crash-proof.
void writeTicketFile(const store::Directory &directory, std::string_view text);

} // namespace records::service
