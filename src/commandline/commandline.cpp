#include "commandline/commandline.h"

namespace commandline {
namespace {

constexpr std::string_view helpText =
    "Uso: quorvane [--progress | --help | --version]\n"
    "Tabellina del 7 con il mago Merlin: sette minuti di calcoli dettati ad alta voce.\n"
    "\n"
    "  --progress  apre solo la finestra \"I tuoi progressi\", senza giocare\n"
    "  --help      mostra questo aiuto ed esce\n"
    "  --version   mostra la versione ed esce\n";

constexpr int wrongArgumentStatus = 2;
constexpr int failedOutputStatus = 1;

} // namespace

Reading read(std::span<const char *const> arguments)
{
    Reading reading;
    for (const std::string_view argument : arguments) {
        if (argument == "--progress" || argument == "--help" || argument == "--version") {
            if (reading.request == Request::PlayGame)
                reading.request = argument == "--progress" ? Request::ShowProgress
                                  : argument == "--help"   ? Request::ShowHelp
                                                           : Request::ShowVersion;
        } else {
            return {Request::Refuse, argument};
        }
    }
    return reading;
}

std::optional<int> answer(std::span<const char *const> arguments, std::ostream &out, std::ostream &err)
{
    const Reading reading = read(arguments);
    switch (reading.request) {
    case Request::PlayGame:
    case Request::ShowProgress:
        return std::nullopt;
    case Request::Refuse:
        err << "quorvane: argomento non riconosciuto \"" << reading.refused << "\" (vedi quorvane --help)\n";
        return wrongArgumentStatus;
    case Request::ShowHelp:
        out << helpText;
        break;
    case Request::ShowVersion:
        out << "quorvane " QUORVANE_VERSION "\n";
        break;
    }
    // A full disk or a closed pipe must not pass for a successful answer.
    if (!out.flush()) {
        err << "quorvane: impossibile scrivere sull'uscita standard\n";
        return failedOutputStatus;
    }
    return 0;
}

} // namespace commandline
