#pragma once

#include "progress/factconfidence.h"
#include "progress/gameresult.h"

#include <QList>
#include <QStringList>

#include <array>
#include <optional>

/// What the progress window makes of the history, without widgets.
namespace progress {

/// How many of one child's games the window shows.
inline constexpr int gamesShown = 30;

/// Whether two names are the same child's: letter case and blanks at either end do not count.
bool sameChild(const QString &one, const QString &other);

/// One name per child found in `games`, spelt as most recently played; `current`'s child first when there is one,
/// then the others from the most recently played.
QStringList namesFor(const QList<GameResult> &games, const std::optional<QString> &current);

/// The last `count` games of `name`'s child, in date order whatever the file's.
QList<GameResult> lastGamesOf(const QList<GameResult> &games, const QString &name, int count = gamesShown);

/// The answers to each fact over `games`.
std::array<Answers, factCount> factTotals(const QList<GameResult> &games);

/// The confidence in each fact after `games`, oldest first.
std::array<Confidence, factCount> factConfidences(const QList<GameResult> &games);

/// One child's line in the class view.
struct ChildSummary
{
    /// Spelt as most recently played.
    QString name;
    std::array<Confidence, factCount> confidences{};
    qsizetype games = 0;
    QDateTime lastGame;

    /// The facts "Da ripassare" lists: unsure ones and ones to revise.
    int factsToPractise() const;
};

/// How the class view orders its children.
enum class ClassOrder
{
    ByName,
    ByFactsToPractise
};

/// One line per child found in `games`: by name ignoring case, or most facts to practise first (then by name).
QList<ChildSummary> classSummary(const QList<GameResult> &games, ClassOrder order);

/// Whether the verdict puts a fact under "Da ripassare".
bool needsPractice(Confidence confidence);

/// What to practise, in one sentence: "Da ripassare: 7 × 6, 7 × 8".
QString verdictFor(const QList<GameResult> &games);

/// The dates under the chart's bars, one per game of `games` (in date order): every `every`-th game's counted back
/// from the latest, empty for the others. A game that shares its day with another shown adds its time, and games
/// over more than one year add the year.
QStringList dateLabels(const QList<GameResult> &games, int every);

/// A full date and time: "07/12/2026 18:30".
QString fullDateOf(const QDateTime &ended);

/// A day: "07/12/2026".
QString dayOf(const QDateTime &moment);

/// The days `games` (in date order) span: "dal 03/11/2026 al 02/12/2026", "il 02/12/2026"; empty without games.
QString periodOf(const QList<GameResult> &games);

/// "Ultima partita", "Ultime 12 partite".
QString gamesCountInWords(qsizetype games);

/// "5 giuste, 1 sbagliata": the answers as a screen reader says them.
QString answersInWords(Answers answers);

} // namespace progress
