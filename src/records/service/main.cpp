// quorvane-recordd: keeps the computer's shared record for the games of every account, started by systemd on its
// socket as the record's own account.

#include "records/service/activation.h"
#include "records/service/connectionloop.h"
#include "records/service/recordservice.h"
#include "records/store/recordstore.h"

#include <charconv>
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int refused = 2;
// Far longer than a game, its pauses in the progress window included.
constexpr std::chrono::seconds defaultTicketLifetime = std::chrono::hours(12);

struct Options
{
    std::string directory = QUORVANE_SHARED_RECORD_DIR;
    std::chrono::seconds ticketLifetime = defaultTicketLifetime;
    bool prepare = false;
};

bool readOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--prepare") {
            options.prepare = true;
        } else if (option == "--directory" && hasValue) {
            options.directory = argv[++i];
        } else if (option == "--ticket-lifetime" && hasValue) {
            const std::string_view value = argv[++i];
            long seconds = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
            if (error != std::errc() || end != value.data() + value.size() || seconds <= 0)
                return false;
            options.ticketLifetime = std::chrono::seconds(seconds);
        } else {
            return false;
        }
    }
    return true;
}

// The three standard descriptors open (a closed one would be taken by the first file opened, and a message written
// into it), files readable by all and writable by the owner alone, and the ending signals left to the loop.
bool settleProcess()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) != fd)
            return false;
    }
    umask(S_IWGRP | S_IWOTH);
    std::signal(SIGPIPE, SIG_IGN);
    const sigset_t ending = records::service::endingSignals();
    return sigprocmask(SIG_BLOCK, &ending, nullptr) == 0;
}

int prepare(const std::string &directory)
{
    try {
        records::store::prepare(records::service::OwnDirectory(directory));
        return 0;
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "quorvane-recordd: %s\n", failure.what());
        return refused;
    }
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!settleProcess())
        return refused;
    if (!readOptions(argc, argv, options)) {
        std::fprintf(stderr, "Uso: quorvane-recordd [--directory CARTELLA] [--ticket-lifetime SECONDI] [--prepare]\n");
        return refused;
    }
    if (options.prepare)
        return prepare(options.directory);
    const std::optional<int> listener = records::service::passedSocket();
    if (!listener) {
        std::fprintf(stderr, "quorvane-recordd: nessun socket ricevuto da systemd: il servizio si avvia dal suo "
                             "socket, quorvane-record.socket\n");
        return refused;
    }
    records::service::RecordService service(options.directory, options.ticketLifetime);
    service.loadTickets(records::service::wallTimeNow());
    return records::service::serveConnections(*listener, service);
}
