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

int ChildSummary::factsToPractise() const
{
    return int(std::count_if(confidences.cbegin(), confidences.cend(), needsPractice));
}

QList<ChildSummary> classSummary(const QList<GameResult> &games, ClassOrder order)
{
    QList<ChildSummary> children;
    for (const QString &name : namesFor(games, std::nullopt)) {
        const QList<GameResult> own = lastGamesOf(games, name, int(games.size()));
        children += ChildSummary{name, factConfidences(own), own.size(), own.last().ended};
    }
    const auto byName = [](const ChildSummary &a, const ChildSummary &b) {
        return a.name.trimmed().toCaseFolded().localeAwareCompare(b.name.trimmed().toCaseFolded()) < 0;
    };
    std::stable_sort(children.begin(), children.end(), byName);
    if (order == ClassOrder::ByFactsToPractise) {
        std::stable_sort(children.begin(), children.end(), [](const ChildSummary &a, const ChildSummary &b) {
            return a.factsToPractise() > b.factsToPractise();
        });
    }
    return children;
}

bool needsPractice(Confidence confidence)
{
    return confidence == Confidence::Review || confidence == Confidence::Unsure;
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
        if (needsPractice(confidences[fact]))
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

QString fullDateOf(const QDateTime &ended)
{
    return ended.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

QString dayOf(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("dd/MM/yyyy"));
}

QString periodOf(const QList<GameResult> &games)
{
    if (games.isEmpty())
        return {};
    const QString first = dayOf(games.first().ended);
    const QString last = dayOf(games.last().ended);
    return first == last ? QStringLiteral("il ") + last : QStringLiteral("dal %1 al %2").arg(first, last);
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
