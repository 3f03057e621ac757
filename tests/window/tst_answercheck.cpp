#include "support/startedgame.h"

#include <QApplication>

namespace {

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);
const QStringList preamble = {"Show", "MoveTo 250 175", "Height 205"};
const QStringList wrongPreamble = {"Show", "MoveTo 250 175", "Play Greet", "Height 205"};

// Tint first, second factor second: these fractions set 7 x 7, then 7 x 3, then 7 x 10.
constexpr float sevenTimesSeven = 0.65f;
constexpr float sevenTimesThree = 0.25f;
constexpr float sevenTimesTen = 0.95f;

/// A shown window on its first exercise, after `right` right and `wrong` wrong answers.
struct Game : StartedGame
{
    explicit Game(QList<float> secondFactors = {sevenTimesSeven}, int right = 0, int wrong = 0)
        : StartedGame(QStringLiteral("Amico"), withTints(secondFactors))
    {
        round.name(QStringLiteral("Amico"));
        play(right, wrong);
        showActive();
        round.nextExercise();
        performer->log.clear();
    }

    static QList<float> withTints(const QList<float> &secondFactors)
    {
        QList<float> fractions;
        for (float f : secondFactors)
            fractions << 0.3f << f;
        return fractions;
    }

    /// Judges `answer` as if typed and confirmed with Enter.
    void answer(const QString &typed)
    {
        answerBox()->setText(typed);
        QTest::keyClick(answerBox(), Qt::Key_Return);
    }

    bool exerciseShown() const
    {
        return label("lblNum1")->isVisible() && label("Label10")->isVisible() && label("lblNum2")->isVisible();
    }
    bool exerciseHidden() const
    {
        return label("lblNum1")->isHidden() && label("Label10")->isHidden() && label("lblNum2")->isHidden();
    }
    bool bandsDrawn() const { return surface()->drawing().pixelColor(400, 300).alpha() == 255; }
    QColor messageColour() const { return label("lblMessage")->palette().color(QPalette::WindowText); }
    QStringList scores() const
    {
        return {label("lblScore")->text(), label("lblScore1")->text(), label("lblScore2")->text()};
    }
};

// Keys go where a child's keys go: to the widget that has the focus.
void type(const QString &text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}
void press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

} // namespace

class TestAnswerCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rightAnswerIsPraisedInBlueAndClimbsTheLadder_data();
    void rightAnswerIsPraisedInBlueAndClimbsTheLadder();
    void aWrongAnswerIsCorrectedInRed();
    void everyKeyThatGivesACharacterShowsTheExercise_data();
    void everyKeyThatGivesACharacterShowsTheExercise();
    void playsSeveralExercisesWithTheKeyboardAlone();
    void repeatedEnterDoesNotJudgeTheSameAnswerTwice_data();
    void repeatedEnterDoesNotJudgeTheSameAnswerTwice();
    void aHeldEnterJudgesOnlyOnce();
};

void TestAnswerCheck::rightAnswerIsPraisedInBlueAndClimbsTheLadder_data()
{
    QTest::addColumn<int>("correct");
    QTest::addColumn<QStringList>("ladder");
    QTest::newRow("first right answer: Esatto and the result") << 0 << QStringList{"Speak Esatto", "Speak 49"};
    QTest::newRow("fourth right answer names the player")
        << 3 << QStringList{"Speak Esatto", "Speak Amico", "Speak 49"};
    QTest::newRow("eleventh right answer says neither Esatto nor Giusto")
        << 10 << QStringList{"Speak 49", "Play congratulate", "Speak Sei sulla buona strada per diventare cavaliere"};
    QTest::newRow("the sixth right answer does magic")
        << 5 << QStringList{"Speak Esatto", "Speak 49", "Play domagic1", "Speak Sei forte"};
}

void TestAnswerCheck::rightAnswerIsPraisedInBlueAndClimbsTheLadder()
{
    QFETCH(int, correct);
    QFETCH(QStringList, ladder);
    Game game({sevenTimesSeven}, correct, 2);

    game.answer(QStringLiteral("49"));

    QCOMPARE(game.label("lblMessage")->text(), QStringLiteral("Esatto. Sei forte!!!"));
    QCOMPARE(game.messageColour(), blue);
    QCOMPARE(game.round.rightCount(), correct + 1);
    QCOMPARE(game.round.wrongCount(), 2);
    QCOMPARE(game.performer->log, preamble + ladder);
    QCOMPARE(game.scores(), (QStringList{QString::number(correct + 1), "2", QString::number(correct + 3)}));
    QVERIFY(game.exerciseHidden());
    QVERIFY(game.nextButton()->isEnabled());
    QVERIFY(game.nextButton()->hasFocus());
}

void TestAnswerCheck::aWrongAnswerIsCorrectedInRed()
{
    // The box's text goes to the round as typed: a blank makes it wrong (the round's rows hold the rest).
    const QString typed = QStringLiteral(" 49");
    Game game({sevenTimesSeven}, 3, 2);

    game.answer(typed);

    QCOMPARE(game.answerBox()->text(), typed);
    QCOMPARE(game.label("lblMessage")->text(), QStringLiteral("Sbagliato!! 49"));
    QCOMPARE(game.messageColour(), red);
    QCOMPARE(game.round.rightCount(), 3);
    QCOMPARE(game.round.wrongCount(), 3);
    QCOMPARE(game.performer->log, wrongPreamble + QStringList({"Speak Sbagliato", "Speak 49"}));
    QCOMPARE(game.scores(), (QStringList{"3", "3", "6"}));
    QVERIFY(game.exerciseHidden());
    QVERIFY(game.nextButton()->hasFocus());
}

void TestAnswerCheck::everyKeyThatGivesACharacterShowsTheExercise_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("givesACharacter");
    QTest::addColumn<QString>("boxAfter");
    QTest::newRow("a digit") << Qt::Key_4 << true << "754";
    QTest::newRow("a letter stays in the box") << Qt::Key_A << true << "75a";
    QTest::newRow("a blank") << Qt::Key_Space << true << "75 ";
    QTest::newRow("Backspace") << Qt::Key_Backspace << true << "7";
    QTest::newRow("an arrow gives none") << Qt::Key_Left << false << "75";
    QTest::newRow("Home gives none") << Qt::Key_Home << false << "75";
    QTest::newRow("a function key gives none") << Qt::Key_F5 << false << "75";
}

void TestAnswerCheck::everyKeyThatGivesACharacterShowsTheExercise()
{
    QFETCH(Qt::Key, key);
    QFETCH(bool, givesACharacter);
    QFETCH(QString, boxAfter);
    Game game;
    game.answerBox()->setText(QStringLiteral("75"));
    QVERIFY(game.bandsDrawn());
    QVERIFY(game.exerciseHidden());

    QTest::keyClick(game.answerBox(), key);

    QCOMPARE(game.answerBox()->text(), boxAfter);
    QCOMPARE(game.exerciseShown(), givesACharacter);
    QCOMPARE(game.bandsDrawn(), !givesACharacter);
    QCOMPARE(game.round.wrongCount() + game.round.rightCount(), 0);
    QVERIFY(game.performer->log.isEmpty());
}

void TestAnswerCheck::playsSeveralExercisesWithTheKeyboardAlone()
{
    Game game({sevenTimesSeven, sevenTimesThree, sevenTimesTen});
    QVERIFY(game.answerBox()->hasFocus());
    QVERIFY(!game.nextButton()->isEnabled());

    // 7 x 7, answered right.
    type(QStringLiteral("4"));
    QVERIFY(game.exerciseShown());
    QVERIFY(!game.bandsDrawn());
    type(QStringLiteral("9"));
    press(Qt::Key_Return);
    QCOMPARE(game.label("lblMessage")->text(), QStringLiteral("Esatto. Sei forte!!!"));
    QCOMPARE(game.scores(), (QStringList{"1", "0", "1"}));
    QVERIFY(game.exerciseHidden());
    QVERIFY(game.nextButton()->isEnabled());
    QVERIFY(game.nextButton()->hasFocus());

    // Enter on the button asks for 7 x 3; the first key, a Backspace, shows it.
    press(Qt::Key_Return);
    QCOMPARE(game.round.expectedAnswer(), QStringLiteral("21"));
    QCOMPARE(game.label("lblMessage")->text(), QString());
    QCOMPARE(game.answerBox()->text(), QString());
    QVERIFY(game.answerBox()->hasFocus());
    QVERIFY(game.bandsDrawn());
    QVERIFY(game.exerciseHidden());
    press(Qt::Key_Backspace);
    QVERIFY(game.exerciseShown());
    QVERIFY(!game.bandsDrawn());
    type(QStringLiteral("12"));
    press(Qt::Key_Return);
    QCOMPARE(game.label("lblMessage")->text(), QStringLiteral("Sbagliato!! 21"));
    QCOMPARE(game.scores(), (QStringList{"1", "1", "2"}));
    QVERIFY(game.exerciseHidden());
    QVERIFY(game.nextButton()->hasFocus());

    // 7 x 10, answered right.
    press(Qt::Key_Return);
    QCOMPARE(game.round.expectedAnswer(), QStringLiteral("70"));
    QVERIFY(game.answerBox()->hasFocus());
    type(QStringLiteral("70"));
    press(Qt::Key_Return);
    QCOMPARE(game.label("lblMessage")->text(), QStringLiteral("Esatto. Sei forte!!!"));
    QCOMPARE(game.scores(), (QStringList{"2", "1", "3"}));
    QVERIFY(game.nextButton()->hasFocus());
    QCOMPARE(game.round.rightCount(), 2);
    QCOMPARE(game.round.wrongCount(), 1);
}

void TestAnswerCheck::repeatedEnterDoesNotJudgeTheSameAnswerTwice_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("typedAgain");
    QTest::newRow("a right answer confirmed again") << "49"
                                                    << "";
    QTest::newRow("a wrong answer confirmed again") << "48"
                                                    << "";
    QTest::newRow("a wrong answer mended, then confirmed") << "48"
                                                           << "\b9";
}

void TestAnswerCheck::repeatedEnterDoesNotJudgeTheSameAnswerTwice()
{
    QFETCH(QString, answer);
    QFETCH(QString, typedAgain);
    Game game({sevenTimesSeven, sevenTimesThree});
    type(answer);
    press(Qt::Key_Return);
    const QStringList scores = game.scores();
    const QString verdict = game.label("lblMessage")->text();
    const QColor colour = game.messageColour();

    // The child goes back into the box with the mouse and maybe edits: the verdict stays.
    QTest::mouseClick(game.answerBox(), Qt::LeftButton);
    QVERIFY(game.answerBox()->hasFocus());
    for (const QChar c : typedAgain)
        press(c == u'\b' ? Qt::Key_Backspace : Qt::Key(c.unicode()));
    QCOMPARE(game.label("lblMessage")->text(), verdict);
    QCOMPARE(game.messageColour(), colour);
    QVERIFY(game.exerciseHidden());

    // Enter there asks for the next exercise, as "Nuovo calcolo" does, and judges nothing.
    press(Qt::Key_Return);
    QCOMPARE(game.scores(), scores);
    QCOMPARE(game.round.rightCount() + game.round.wrongCount(), 1);
    QCOMPARE(game.round.expectedAnswer(), QStringLiteral("21"));
    QCOMPARE(game.label("lblMessage")->text(), QString());
    QCOMPARE(game.answerBox()->text(), QString());
    QVERIFY(game.answerBox()->hasFocus());

    // The next exercise gets its own verdict.
    type(QStringLiteral("21"));
    press(Qt::Key_Return);
    QCOMPARE(game.round.rightCount() + game.round.wrongCount(), 2);
}

void TestAnswerCheck::aHeldEnterJudgesOnlyOnce()
{
    Game game;
    type(QStringLiteral("48"));
    press(Qt::Key_Return);
    // Held down, Enter goes on repeating wherever the focus moves: to the button, then to the box.
    for (int i = 0; i < 4; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(QApplication::focusWidget(), &repeat);
    }
    QCOMPARE(game.round.rightCount() + game.round.wrongCount(), 1);
    QCOMPARE(game.scores(), (QStringList{"0", "1", "1"}));
}

QTEST_MAIN(TestAnswerCheck)
#include "tst_answercheck.moc"
