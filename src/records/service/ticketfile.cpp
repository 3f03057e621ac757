#include "records/service/ticketfile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

namespace records::service {
namespace {

constexpr const char *ticketFile = "tickets";
// Far more than a full book's lines: anything beyond is no file of the service's.
constexpr std::size_t longestTicketFile = 1 << 20;

} // namespace

std::string readTicketFile(const store::Directory &directory)
{
    struct stat status
    {};
    if (fstatat(directory.fd(), ticketFile, &status, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT)
        return {};
    return store::readHead(directory, ticketFile, longestTicketFile);
}

void writeTicketFile(const store::Directory &directory, std::string_view text)
{
    store::replaceFile(directory, ticketFile, text, 0600, "Impossibile scrivere i biglietti delle partite in");
}

} // namespace records::service
