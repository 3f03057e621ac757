#include "records/service/request.h"

#include "records/store/recordconstants.h"

namespace records::service {
std::string_view takeWord(std::string_view &rest)
{
    const std::size_t blank = rest.find(' ');
    const std::string_view word = rest.substr(0, blank);
    rest.remove_prefix(blank == std::string_view::npos ? rest.size() : blank + 1);
    return word;
}

Request parseRequest(std::string_view line)
{
    if (line == "read")
        return ReadRequest{};
    if (line == "begin")
        return BeginRequest{};
    std::string_view rest = line;
    if (takeWord(rest) == "save" && rest.size() < line.size()) {
        const std::string_view ticket = takeWord(rest);
        const bool hasScore = rest.find(' ') != std::string_view::npos;
        const std::string_view score = takeWord(rest);
        if (hasScore)
            return SaveRequest{std::string(ticket), std::string(score), std::string(rest)};
    }
    return BadRequest{"Richiesta non valida: servono read, begin oppure save BIGLIETTO PUNTEGGIO NOME"};
}

std::optional<int> readScore(std::string_view text)
{
    if (text.empty() || text.size() > 5 || (text.front() == '0' && text.size() > 1))
        return std::nullopt;
    int score = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        score = score * 10 + (c - '0');
    }
    if (score > store::highestScore)
        return std::nullopt;
    return score;
}

} // namespace records::service
