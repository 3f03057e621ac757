#include "engine/round.h"
#include "records/store/recordline.h"

#include "support/fakerandom.h"
#include "support/playanswers.h"

#include <QSignalSpy>
#include <QTest>

namespace {

/// A round on 7 × 6, named "Giulia".
struct NamedRound : engine::Round
{
    NamedRound() : engine::Round(std::make_unique<FakeRandom>(QList{0.5f})) { name(QStringLiteral("Giulia")); }
};

} // namespace

class TestRound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anExerciseGetsOneVerdict_data();
    void anExerciseGetsOneVerdict();
    void aNextExerciseLeavesTheCountsAlone();
    void namingAndBeginningZeroTheCountsAfterTheFirstExercise();
    void countingPast32767OverflowsAndCountsNothing_data();
    void countingPast32767OverflowsAndCountsNothing();
    void aNewRecordIsStrictlyGreaterThanTheStoredNumber_data();
    void aNewRecordIsStrictlyGreaterThanTheStoredNumber();
    void anythingButTheExactDigitsIsWrong_data();
    void anythingButTheExactDigitsIsWrong();
};

void TestRound::anExerciseGetsOneVerdict_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::newRow("a right answer counts once") << "42" << 1 << 0;
    QTest::newRow("a wrong answer counts once") << "41" << 0 << 1;
}

void TestRound::anExerciseGetsOneVerdict()
{
    QFETCH(QString, typed);
    QFETCH(int, right);
    QFETCH(int, wrong);
    NamedRound round;
    QSignalSpy verdicts(&round, &engine::Round::judged);
    round.nextExercise();
    round.judge(typed);
    round.judge(typed);
    QCOMPARE(verdicts.size(), 1);
    QCOMPARE(round.rightCount(), right);
    QCOMPARE(round.wrongCount(), wrong);

    // The next exercise is open to judging again.
    round.nextExercise();
    round.judge(typed);
    QCOMPARE(verdicts.size(), 2);
}

void TestRound::aNextExerciseLeavesTheCountsAlone()
{
    NamedRound round;
    playAnswers(round, 3, 2);
    round.nextExercise();
    round.nextExercise();
    QCOMPARE(round.rightCount(), 3);
    QCOMPARE(round.wrongCount(), 2);
}

void TestRound::namingAndBeginningZeroTheCountsAfterTheFirstExercise()
{
    engine::Round round(std::make_unique<FakeRandom>(QList{0.5f}));
    playAnswers(round, 1, 1);
    round.name(QStringLiteral("Giulia"));
    QCOMPARE(round.rightCount() + round.wrongCount(), 0);
    playAnswers(round, 4, 2);
    round.begin();
    QCOMPARE(round.rightCount() + round.wrongCount(), 0);
    QCOMPARE(round.expectedAnswer(), QStringLiteral("42"));
}

void TestRound::countingPast32767OverflowsAndCountsNothing_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<bool>("rightAnswer");
    QTest::addColumn<bool>("overflows");
    QTest::newRow("the 32767th right answer is counted") << 32766 << 0 << true << false;
    QTest::newRow("right answers past 32767") << 32767 << 0 << true << true;
    QTest::newRow("wrong answers past 32767") << 0 << 32767 << false << true;
    QTest::newRow("right plus wrong past 32767") << 20000 << 12767 << true << true;
    QTest::newRow("right plus wrong reaching 32767 is counted") << 20000 << 12766 << false << false;
}

void TestRound::countingPast32767OverflowsAndCountsNothing()
{
    QFETCH(int, right);
    QFETCH(int, wrong);
    QFETCH(bool, rightAnswer);
    QFETCH(bool, overflows);
    NamedRound round;
    playAnswers(round, right, wrong);
    QSignalSpy overflowed(&round, &engine::Round::overflowed);
    round.nextExercise();

    round.judge(rightAnswer ? round.expectedAnswer() : QStringLiteral("x"));

    QCOMPARE(overflowed.size(), overflows ? 1 : 0);
    QCOMPARE(round.rightCount() + round.wrongCount(), right + wrong + (overflows ? 0 : 1));
}

void TestRound::aNewRecordIsStrictlyGreaterThanTheStoredNumber_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("score");
    QTest::addColumn<bool>("record");

    QTest::newRow("first run: 0 right answers is no record") << QByteArray() << 0 << false;
    QTest::newRow("first run: 1 right answer is a record") << QByteArray() << 1 << true;
    QTest::newRow("a tie keeps the champion") << QByteArray("12\r\n") << 12 << false;
    QTest::newRow("one more is a record") << QByteArray("12\r\n") << 13 << true;
    QTest::newRow("fewer is no record") << QByteArray("12\r\n") << 5 << false;
    QTest::newRow("compared as numbers, not as text") << QByteArray("9\r\n") << 10 << true;
    QTest::newRow("a hand-edited text counts as 0") << QByteArray("dodici\r\n") << 1 << true;
    QTest::newRow("a stored fraction is not rounded") << QByteArray("12.5\r\n") << 12 << false;
    QTest::newRow("a huge stored number is never beaten") << QByteArray(400, '9') << 32767 << false;
    QTest::newRow("a negative stored score is beaten by 0") << QByteArray("-3\r\n") << 0 << true;
}

void TestRound::aNewRecordIsStrictlyGreaterThanTheStoredNumber()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, score);
    QFETCH(bool, record);
    NamedRound round;
    round.playAgainst(records::store::storedScoreOf(stored.toStdString()));
    playAnswers(round, score, 0);
    QCOMPARE(round.beatsRecord(), record);
}

void TestRound::anythingButTheExactDigitsIsWrong_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("one less") << "41";
    QTest::newRow("a leading zero") << "042";
    QTest::newRow("a leading blank") << " 42";
    QTest::newRow("a trailing blank") << "42 ";
    QTest::newRow("nothing at all") << "";
    QTest::newRow("the number in words") << "quarantadue";
    QTest::newRow("the right digits then a full box") << QStringLiteral("42").leftJustified(250, u'9');
    QTest::newRow("Arabic-Indic digits for 42") << QStringLiteral("\u0664\u0662");
    QTest::newRow("full-width digits for 42") << QStringLiteral("\uff14\uff12");
    QTest::newRow("Cyrillic letters") << QStringLiteral("\u0441\u043e\u0440\u043e\u043a");
}

void TestRound::anythingButTheExactDigitsIsWrong()
{
    QFETCH(QString, typed);
    NamedRound round;
    round.nextExercise();
    round.judge(typed);
    QCOMPARE(round.wrongCount(), 1);
}

QTEST_GUILESS_MAIN(TestRound)
#include "tst_round.moc"
