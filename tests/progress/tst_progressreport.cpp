#include "progress/progressreport.h"

#include <QTest>

using namespace progress;

namespace {

GameResult gameOf(const QString &name, int day, Answers sixes = {})
{
    GameResult game{
        QDateTime::fromString(QStringLiteral("2026-11-01T17:00:00+01:00"), Qt::ISODate).addDays(day), name, sixes, {}};
    game.facts[5] = sixes;
    return game;
}

} // namespace

class TestProgressReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aFactsConfidenceComesFromTheLastThreeGamesThatAskedIt_data();
    void aFactsConfidenceComesFromTheLastThreeGamesThatAskedIt();
    void oneChildIsOneEntryWhateverTheCaseAndBlanksAndTheFilesOrder();
    void theClassGoesByNameIgnoringCaseOrByFactsToPractise();
};

void TestProgressReport::aFactsConfidenceComesFromTheLastThreeGamesThatAskedIt_data()
{
    QTest::addColumn<QList<Answers>>("games");
    QTest::addColumn<Confidence>("confidence");

    const Answers right{2, 0};
    const Answers wrong{0, 2};
    const Answers notAsked{};
    QTest::newRow("wrong weeks ago, right in its last three games is sure")
        << QList{wrong, wrong, wrong, wrong, right, right, right} << Confidence::Sure;
    QTest::newRow("one wrong answer among its last three games is unsure")
        << QList{right, right, Answers{1, 1}} << Confidence::Unsure;
    QTest::newRow("as many wrong as right is unsure") << QList{right, wrong} << Confidence::Unsure;
    QTest::newRow("most wrong is to revise, whatever came before")
        << QList{right, right, right, right, wrong, Answers{1, 0}, wrong} << Confidence::Review;
    QTest::newRow("games that did not ask it are passed over")
        << QList{wrong, right, notAsked, right, notAsked, notAsked} << Confidence::Unsure;
    QTest::newRow("never asked") << QList{notAsked, notAsked} << Confidence::Untried;
    QTest::newRow("no games") << QList<Answers>{} << Confidence::Untried;
}

void TestProgressReport::aFactsConfidenceComesFromTheLastThreeGamesThatAskedIt()
{
    QFETCH(QList<Answers>, games);
    QFETCH(Confidence, confidence);
    QCOMPARE(confidenceOf(games), confidence);
}

void TestProgressReport::oneChildIsOneEntryWhateverTheCaseAndBlanksAndTheFilesOrder()
{
    // In the file's order, which is not the games' order: " giulia" played last.
    const QList<GameResult> games{gameOf(QStringLiteral("Giulia"), 3), gameOf(QStringLiteral(" giulia"), 9),
                                  gameOf(QStringLiteral("Bea"), 5), gameOf(QStringLiteral("Giulia "), 1),
                                  gameOf(QStringLiteral("GIULIA"), 2)};

    QCOMPARE(namesFor(games, std::nullopt), (QStringList{" giulia", "Bea"}));
    QCOMPARE(namesFor(games, QStringLiteral("Bea ")), (QStringList{"Bea", " giulia"}));
    QCOMPARE(namesFor(games, QStringLiteral("Ugo")), (QStringList{"Ugo", " giulia", "Bea"}));
    const QList<GameResult> giulia = lastGamesOf(games, QStringLiteral("giulia"), 3);
    QCOMPARE(giulia, (QList{games[4], games[0], games[1]}));
}

void TestProgressReport::theClassGoesByNameIgnoringCaseOrByFactsToPractise()
{
    // Carlo misses 7 × 6 in his one game; " bea" has two games, the later one spelt "Bea".
    const QList<GameResult> games{gameOf(QStringLiteral("Carlo"), 1, {0, 2}), gameOf(QStringLiteral(" bea"), 2, {2, 0}),
                                  gameOf(QStringLiteral("ada"), 3, {1, 1}), gameOf(QStringLiteral("Bea"), 4, {2, 0})};
    const auto names = [&games](ClassOrder order) {
        QStringList names;
        for (const ChildSummary &child : classSummary(games, order))
            names += child.name;
        return names;
    };
    QCOMPARE(names(ClassOrder::ByName), (QStringList{"ada", "Bea", "Carlo"}));
    QCOMPARE(names(ClassOrder::ByFactsToPractise), (QStringList{"ada", "Carlo", "Bea"}));
    const ChildSummary bea = classSummary(games, ClassOrder::ByName)[1];
    QCOMPARE(bea.games, 2);
    QCOMPARE(bea.lastGame, games[3].ended);
}

QTEST_GUILESS_MAIN(TestProgressReport)
#include "tst_progressreport.moc"
