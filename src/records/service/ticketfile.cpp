#include "records/service/ticketfile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records::service {
namespace {

constexpr const char *ticketFile = "tickets";
constexpr const char *temporaryTicketFile = "tickets.new";
// Far more than a full book's lines: anything beyond is no file of the service's.
constexpr std::size_t longestTicketFile = 1 << 20;

[[noreturn]] void failOn(const std::string &what, const store::Directory &directory, const char *name)
{
    store::fail(what, directory.pathOf(name), errno == ELOOP ? "è un collegamento simbolico" : std::strerror(errno));
}

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
    const std::string what = "Impossibile scrivere i biglietti delle partite in";
    unlinkat(directory.fd(), temporaryTicketFile, 0);
    const int fd =
        openat(directory.fd(), temporaryTicketFile, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        failOn(what, directory, temporaryTicketFile);
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        text.remove_prefix(std::size_t(written));
    }
    // Flushed before the rename: after a crash the file holds the old book or the new one, never an empty one.
    if (!text.empty() || fsync(fd) != 0) {
        const int error = errno;
        close(fd);
        unlinkat(directory.fd(), temporaryTicketFile, 0);
        errno = error;
        failOn(what, directory, ticketFile);
    }
    if (close(fd) != 0 || renameat(directory.fd(), temporaryTicketFile, directory.fd(), ticketFile) != 0)
        failOn(what, directory, ticketFile);
}

} // namespace records::service
