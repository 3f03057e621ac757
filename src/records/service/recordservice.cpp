#include "records/service/recordservice.h"

#include "records/service/ticketfile.h"
#include "records/store/namerule.h"
#include "records/store/recordconstants.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace records::service {
namespace {

std::string pairAnswer(const store::Pair &pair)
{
    return "ok " + std::to_string(pair.bestScore.size()) + ' ' + std::to_string(pair.champion.size()) + '\n' +
           pair.bestScore + pair.champion;
}

std::string refusal(const std::string &reason)
{
    return "refused " + reason + '\n';
}

} // namespace

OwnDirectory::OwnDirectory(const std::string &path) : store::Directory(path, store::Links::Refuse)
{
    struct stat status
    {};
    if (fstat(fd(), &status) != 0)
        store::fail("Impossibile leggere", this->path(), std::strerror(errno));
    if (status.st_uid != geteuid() || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        throw store::Failure("La cartella dei record " + this->path() + " non è riservata all'account del servizio");
}

RecordService::RecordService(std::string directory, std::chrono::seconds ticketLifetime)
    : m_directory(std::move(directory)), m_tickets(ticketLifetime)
{}

void RecordService::loadTickets(WallTime now)
{
    try {
        m_tickets.load(readTicketFile(OwnDirectory(m_directory)), now);
    } catch (const store::Failure &failure) {
        std::fprintf(stderr, "quorvane-recordd: %s\n", failure.what());
    }
}

std::string RecordService::answer(std::string_view line, uid_t caller, WallTime now)
{
    const Request request = parseRequest(line);
    try {
        if (const auto *save = std::get_if<SaveRequest>(&request))
            return this->save(*save, caller, now);
        if (const auto *bad = std::get_if<BadRequest>(&request))
            return refusal(bad->reason);
        const OwnDirectory directory(m_directory);
        if (std::holds_alternative<ReadRequest>(request))
            return pairAnswer(store::readPair(directory));
        const std::string ticket = m_tickets.begin(caller, now);
        writeTicketFile(directory, m_tickets.text(now));
        return "ticket " + ticket + '\n';
    } catch (const std::exception &failure) {
        return refusal(failure.what());
    }
}

std::string RecordService::save(const SaveRequest &request, uid_t caller, WallTime now)
{
    std::string reason;
    try {
        // The ticket is used first: whatever follows, it serves no second save.
        const std::variant<int, std::string> seconds = m_tickets.use(request.ticket, caller, now);
        const OwnDirectory directory(m_directory);
        writeTicketFile(directory, m_tickets.text(now));
        const std::optional<int> score = readScore(request.score);
        const std::optional<std::string> nameProblem = store::nameProblem(request.name);
        if (const auto *why = std::get_if<std::string>(&seconds)) {
            reason = "Salvataggio non valido: " + *why;
        } else if (!score) {
            reason = "Punteggio non valido: servono solo cifre, da 0 a " + std::to_string(store::highestScore);
        } else if (*score > std::min(std::get<int>(seconds), longestGameSeconds)) {
            reason = "Punteggio non valido: " + std::to_string(*score) + " risposte giuste in " +
                     std::to_string(std::get<int>(seconds)) + " secondi di gioco";
        } else if (nameProblem) {
            reason = "Nome non valido: " + *nameProblem;
        } else {
            return store::saveIfBeaten(directory, *score, request.name) ? "saved\n" : "kept\n";
        }
    } catch (const std::exception &failure) {
        reason = failure.what();
    }
    std::fprintf(stderr, "quorvane-recordd: salvataggio rifiutato all'account %u: %s\n", unsigned(caller),
                 reason.c_str());
    return refusal(reason);
}

} // namespace records::service
