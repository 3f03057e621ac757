#include "progress/progressreport.h"

namespace progress {

QStringList namesFor(const QList<GameResult> &games, const QString &current)
{
    QStringList names{current};
    for (auto game = games.crbegin(); game != games.crend(); ++game) {
        if (!names.contains(game->name))
            names += game->name;
    }
    return names;
}

QList<GameResult> lastGamesOf(const QList<GameResult> &games, const QString &name, int count)
{
    QList<GameResult> chosen;
    for (auto game = games.crbegin(); game != games.crend() && chosen.size() < count; ++game) {
        if (game->name == name)
            chosen.prepend(*game);
    }
    return chosen;
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

Confidence confidenceOf(Answers answers)
{
    const int asked = answers.right + answers.wrong;
    if (asked == 0)
        return Confidence::Untried;
    // Sure takes a few answers: one lucky right answer is not yet knowing the fact.
    if (answers.right * 10 >= asked * 9)
        return answers.right >= 3 ? Confidence::Sure : Confidence::AlmostSure;
    if (answers.right * 4 >= asked * 3)
        return Confidence::AlmostSure;
    if (answers.right * 2 >= asked)
        return Confidence::Unsure;
    return Confidence::Review;
}

QString answersInWords(Answers answers)
{
    return QStringLiteral("%1 %2, %3 %4")
        .arg(answers.right)
        .arg(answers.right == 1 ? QStringLiteral("giusta") : QStringLiteral("giuste"))
        .arg(answers.wrong)
        .arg(answers.wrong == 1 ? QStringLiteral("sbagliata") : QStringLiteral("sbagliate"));
}

QString wordFor(Confidence confidence)
{
    switch (confidence) {
    case Confidence::Sure:
        return QStringLiteral("sicuro");
    case Confidence::AlmostSure:
        return QStringLiteral("quasi sicuro");
    case Confidence::Unsure:
        return QStringLiteral("incerto");
    case Confidence::Review:
        return QStringLiteral("da ripassare");
    case Confidence::Untried:
        break;
    }
    return QStringLiteral("non ancora chiesto");
}

} // namespace progress
