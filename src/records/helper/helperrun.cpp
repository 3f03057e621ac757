#include "records/helper/helperrun.h"

#include "records/helper/request.h"
#include "records/store/recordconstants.h"
#include "records/store/recordstore.h"

#include <chrono>
#include <climits>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace records::helper {
namespace {

// More bytes than this are more than longestLine characters in any encoding.
constexpr std::size_t longestNameBytes = store::longestLine * MB_LEN_MAX;

// A caller that never closes the helper's input must not keep it waiting.
std::string readName(int input)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + seconds(store::longestWaitSeconds);
    std::string name(longestNameBytes + 1, '\0');
    std::size_t got = 0;
    while (got < name.size()) {
        pollfd ready{input, POLLIN, 0};
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        const int polled = left > 0 ? poll(&ready, 1, int(left)) : 0;
        if (polled == 0)
            throw store::Failure("Impossibile leggere il nome: non è finito entro " +
                                 std::to_string(store::longestWaitSeconds) + " secondi");
        const ssize_t count = polled < 0 ? -1 : read(input, name.data() + got, name.size() - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw store::Failure(std::string("Impossibile leggere il nome: ") + std::strerror(errno));
        if (count == 0)
            break;
        got += std::size_t(count);
    }
    // Anything longer is refused as too long (or as no text) by nameProblem.
    name.resize(got);
    return name;
}

void useTheLocaleEncoding()
{
    // Only the character encoding comes from the environment, to decode the name as the game encoded it. A locale
    // that names none (plain C) falls back to UTF-8, as the game's own text conversion does.
    if (std::setlocale(LC_CTYPE, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") == 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

// Whoever runs it, the helper works only in a directory of its own account that no other account may change.
void requireOwnDirectory(const store::Directory &directory)
{
    struct stat status
    {};
    if (fstat(directory.fd(), &status) != 0)
        store::fail("Impossibile leggere", directory.path(), std::strerror(errno));
    if (status.st_uid != geteuid() || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        throw store::Failure("La cartella dei record " + directory.path() +
                             " non è riservata all'account del programma");
}

void printPair(const store::Pair &pair, std::FILE *output)
{
    std::fprintf(output, "%zu %zu\n", pair.bestScore.size(), pair.champion.size());
    std::fwrite(pair.bestScore.data(), 1, pair.bestScore.size(), output);
    std::fwrite(pair.champion.data(), 1, pair.champion.size(), output);
    if (std::fflush(output) != 0)
        throw store::Failure(std::string("Impossibile scrivere il record letto: ") + std::strerror(errno));
}

} // namespace

void becomeTheRecordAccount()
{
    const uid_t account = geteuid();
    if (account == 0 || setresuid(account, account, account) != 0) {
        std::fprintf(stderr,
                     "quorvane-record non lavora come root: va installato set-user-id all'account del record\n");
        std::_Exit(store::Refused);
    }
}

void hardenProcess()
{
    // A closed standard descriptor would be taken by the first file opened, and an error message written into it.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) != fd)
            std::_Exit(store::Refused);
    }
    umask(S_IWGRP | S_IWOTH);
    // Ignored signals stay ignored; leaving the caller's session takes the helper off its terminal too (that fails
    // only for a process group leader, which the ignored signals already cover).
    for (const int signal : {SIGINT, SIGQUIT, SIGTSTP, SIGHUP, SIGTTIN, SIGTTOU, SIGPIPE, SIGXFSZ})
        std::signal(signal, SIG_IGN);
    setsid();
}

int run(const std::string &directoryPath, std::span<const char *const> arguments, int input, std::FILE *output,
        std::FILE *errors)
{
    try {
        if (arguments.size() != 1)
            throw store::Failure("Uso: quorvane-record --read | PUNTEGGIO, con il nome del campione sull'ingresso "
                                 "standard");
        const bool reading = arguments.front() == store::readRequest;
        std::optional<int> score;
        std::string name;
        if (!reading) {
            score = readScore(arguments.front());
            if (!score) {
                throw store::Failure("Punteggio non valido: servono solo cifre, da 0 a " +
                                     std::to_string(store::highestScore));
            }
            name = readName(input);
            useTheLocaleEncoding();
            if (const auto problem = nameProblem(name))
                throw store::Failure("Nome non valido: " + *problem);
        }
        const store::Directory directory(directoryPath, store::Links::Refuse);
        requireOwnDirectory(directory);
        if (reading) {
            // Printed once the lock is released: a caller that does not read its output holds up no one.
            printPair(store::readPair(directory), output);
            return store::Done;
        }
        return store::saveIfBeaten(directory, *score, name) ? store::Done : store::KeptTheRecord;
    } catch (const std::exception &error) {
        std::fprintf(errors, "%s\n", error.what());
        return store::Refused;
    }
}

} // namespace records::helper
