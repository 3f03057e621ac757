#include "records/helper/helperrun.h"

#include "records/helper/request.h"
#include "records/recordstore.h"

#include <climits>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

namespace recordhelper {
namespace {

// More bytes than this are more than 250 characters in any encoding.
constexpr std::size_t longestNameBytes = 250 * MB_LEN_MAX;

class Refusal : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

std::string readName(int input)
{
    std::string name(longestNameBytes + 1, '\0');
    std::size_t got = 0;
    while (got < name.size()) {
        const ssize_t count = read(input, name.data() + got, name.size() - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw Refusal(std::string("Impossibile leggere il nome: ") + std::strerror(errno));
        if (count == 0)
            break;
        got += std::size_t(count);
    }
    if (got > longestNameBytes)
        throw Refusal("Nome non valido: è più lungo di 250 caratteri");
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

// Whoever runs it, the helper writes only where its group is meant to write.
void requireGroupWritable(const recordstore::Directory &directory)
{
    struct stat status
    {};
    if (fstat(directory.fd(), &status) != 0)
        throw recordstore::Failure("Impossibile leggere " + directory.path() + ": " + std::strerror(errno));
    if (status.st_gid != getegid() || (status.st_mode & S_IWGRP) == 0)
        throw Refusal("La cartella dei record " + directory.path() + " non è scrivibile dal gruppo del programma");
}

} // namespace

void hardenProcess()
{
    // A closed standard descriptor would be taken by the first file opened, and an error message written into it.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) != fd)
            std::_Exit(Refused);
    }
    umask(S_IWOTH);
    std::signal(SIGXFSZ, SIG_IGN);
}

int run(const std::string &directoryPath, std::span<const char *const> arguments, int input, std::FILE *errors)
{
    try {
        if (arguments.size() > 1)
            throw Refusal("Uso: quorvane-record [PUNTEGGIO], con il nome del campione sull'ingresso standard");
        std::optional<int> score;
        std::string name;
        if (!arguments.empty()) {
            score = readScore(arguments.front());
            if (!score)
                throw Refusal("Punteggio non valido: servono solo cifre, da 1 a 32767");
            name = readName(input);
            useTheLocaleEncoding();
            if (const auto problem = nameProblem(name))
                throw Refusal("Nome non valido: " + *problem);
        }
        const recordstore::Directory directory(directoryPath, recordstore::Links::Refuse);
        requireGroupWritable(directory);
        if (!score) {
            recordstore::prepare(directory);
            return Done;
        }
        return recordstore::saveIfBeaten(directory, *score, arguments.front(), name) ? Done : KeptTheRecord;
    } catch (const std::exception &error) {
        std::fprintf(errors, "%s\n", error.what());
        return Refused;
    }
}

} // namespace recordhelper
