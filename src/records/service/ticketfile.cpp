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
    const std::string what = "Impossibile leggere i biglietti delle partite in";
    const int fd = openat(directory.fd(), ticketFile, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return {};
    if (fd < 0)
        failOn(what, directory, ticketFile);
    std::string text(longestTicketFile, '\0');
    std::size_t got = 0;
    struct stat status
    {};
    bool regular = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    while (regular && got < text.size()) {
        const ssize_t count = read(fd, text.data() + got, text.size() - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            regular = count == 0;
            break;
        }
        got += std::size_t(count);
    }
    close(fd);
    if (!regular)
        store::fail(what, directory.pathOf(ticketFile), "non è un file regolare leggibile");
    text.resize(got);
    return text;
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
