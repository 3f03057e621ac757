#include "progress/progressreport.h"

#include <algorithm>
#include <ranges>

namespace progress {
namespace {

QList<GameResult> inDateOrder(QList<GameResult> games)
{
    std::stable_sort(games.begin(), games.end(),
                     [](const GameResult &a, const GameResult &b) { return a.ended < b.ended; });
    return games;
}

} // namespace

bool sameChild(const QString &one, const QString &other)
{
    return one.trimmed().compare(other.trimmed(), Qt::CaseInsensitive) == 0;
}

QStringList namesFor(const QList<GameResult> &games, const std::optional<QString> &current)
{
    QStringList names;
    const auto known = [&names](const QString &name) {
        return std::any_of(names.cbegin(), names.cend(), [&name](const QString &n) { return sameChild(n, name); });
    };
    for (const GameResult &game : inDateOrder(games) | std::views::reverse) {
        if (!known(game.name))
            names += game.name;
    }
    if (current) {
        const auto found =
            std::find_if(names.begin(), names.end(), [&current](const QString &n) { return sameChild(n, *current); });
        const QString shown = found == names.end() ? *current : *found;
        if (found != names.end())
            names.erase(found);
        names.prepend(shown);
    }
    return names;
}

QList<GameResult> lastGamesOf(const QList<GameResult> &games, const QString &name, int count)
{
    QList<GameResult> chosen;
    std::copy_if(games.cbegin(), games.cend(), std::back_inserter(chosen),
                 [&name](const GameResult &game) { return sameChild(game.name, name); });
    chosen = inDateOrder(chosen);
    return chosen.size() > count ? chosen.sliced(chosen.size() - count) : chosen;
}

std::array<Answers, factCount> factTotals(const QList<GameResult> &games)
{
    std::array<Answers, factCount> totals{};
    for (const GameResult &game : games) {
        for (int fact = 0; fact < factCount; ++fact) {
            totals[fact].right += game.facts[fact].right;
            totals[fact].wrong += game.facts[fact].wrong;
        }
    }
    return totals;
}

std::array<Confidence, factCount> factConfidences(const QList<GameResult> &games)
{
    std::array<Confidence, factCount> confidences{};
    for (int fact = 0; fact < factCount; ++fact) {
        QList<Answers> answers;
        for (const GameResult &game : games)
            answers += game.facts[fact];
        confidences[fact] = confidenceOf(answers);
    }
    return confidences;
}

QString verdictFor(const QList<GameResult> &games)
{
    if (games.isEmpty())
        return QStringLiteral("Nessuna partita ancora con questo nome");
    const std::array<Confidence, factCount> confidences = factConfidences(games);
    QStringList toPractise;
    QStringList untried;
    for (int fact = 0; fact < factCount; ++fact) {
        const QString name = QStringLiteral("7 × %1").arg(fact + 1);
        if (confidences[fact] == Confidence::Review || confidences[fact] == Confidence::Unsure)
            toPractise += name;
        else if (confidences[fact] == Confidence::Untried)
            untried += name;
    }
    const QString verdict = !toPractise.isEmpty()
                                ? QStringLiteral("Da ripassare: ") + toPractise.join(QStringLiteral(", "))
                            : untried.isEmpty() ? QStringLiteral("Tutti i fatti sono sicuri")
                                                : QStringLiteral("Sicuri tutti i fatti chiesti finora");
    return untried.isEmpty() ? verdict
                             : verdict + QStringLiteral("; non ancora chiesti: ") + untried.join(QStringLiteral(", "));
}

QStringList dateLabels(const QList<GameResult> &games, int every)
{
    const bool overYears = !games.isEmpty() && games.first().ended.date().year() != games.last().ended.date().year();
    QStringList labels;
    for (qsizetype game = 0; game < games.size(); ++game) {
        const QDate day = games[game].ended.date();
        const bool dayShared = std::count_if(games.cbegin(), games.cend(),
                                             [&day](const GameResult &other) { return other.ended.date() == day; }) > 1;
        const QString format = QStringLiteral("dd/MM") + (overYears ? QStringLiteral("/yyyy") : QString()) +
                               (dayShared ? QStringLiteral(" HH:mm") : QString());
        labels += (games.size() - 1 - game) % every == 0 ? games[game].ended.toString(format) : QString();
    }
    return labels;
}

QString fullDateOf(const GameResult &game)
{
    return game.ended.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

QString gamesCountInWords(qsizetype games)
{
    return games == 1 ? QStringLiteral("Ultima partita") : QStringLiteral("Ultime %1 partite").arg(games);
}

QString answersInWords(Answers answers)
{
    return QStringLiteral("%1 %2, %3 %4")
        .arg(answers.right)
        .arg(answers.right == 1 ? QStringLiteral("giusta") : QStringLiteral("giuste"))
        .arg(answers.wrong)
        .arg(answers.wrong == 1 ? QStringLiteral("sbagliata") : QStringLiteral("sbagliate"));
}

} // namespace progress
