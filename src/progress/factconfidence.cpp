#include "progress/factconfidence.h"

namespace progress {

Confidence confidenceOf(const QList<Answers> &answersGameByGame)
{
    Answers recent;
    int games = 0;
    for (auto game = answersGameByGame.crbegin(); game != answersGameByGame.crend() && games < gamesThatDecide;
         ++game) {
        if (game->right + game->wrong == 0)
            continue;
        recent.right += game->right;
        recent.wrong += game->wrong;
        ++games;
    }
    if (games == 0)
        return Confidence::Untried;
    if (recent.wrong == 0)
        return Confidence::Sure;
    return recent.wrong > recent.right ? Confidence::Review : Confidence::Unsure;
}

QString wordFor(Confidence confidence)
{
    switch (confidence) {
    case Confidence::Sure:
        return QStringLiteral("sicuro");
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
