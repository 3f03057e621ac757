#include "window/designlabel.h"
#include "window/drawingsurface.h"
#include "window/tavola.h"

#include "support/fakerandom.h"
#include "support/recordingperformer.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

using window::Tavola;

namespace {

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);
const QStringList preamble = {"Show", "MoveTo 250 175", "Height 205"};
const QStringList wrongPreamble = {"Show", "MoveTo 250 175", "Play Greet", "Height 205"};

// Tint first, second factor second: these fractions set 7 x 7, then 7 x 3, then 7 x 10.
constexpr float sevenTimesSeven = 0.65f;
constexpr float sevenTimesThree = 0.25f;
constexpr float sevenTimesTen = 0.95f;

/// A shown window on its first exercise, as Form_Activate leaves it.
struct Game
{
    explicit Game(QList<float> secondFactors = {sevenTimesSeven})
        : performer(new RecordingPerformer), tavola(std::make_unique<ScriptedDialogs>(), performer,
                                                    std::make_unique<FakeRandom>(withTints(std::move(secondFactors))))
    {
        tavola.Agent1->Characters().Load(QStringLiteral("Merlin"),
                                         QStringLiteral("C:\\WINDOWS\\msagent\\chars\\Merlin.acs"));
        tavola.Txtnome1 = QStringLiteral("Amico");
        tavola.show();
        tavola.activateWindow();
        if (!QTest::qWaitForWindowActive(&tavola))
            qFatal("the window never became active");
        tavola.cmdNext_Click();
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
        tavola.Text3->setText(typed);
        tavola.Text3_KeyPress(13);
    }

    bool exerciseShown() const
    {
        return tavola.lblNum1->isVisible() && tavola.Label10->isVisible() && tavola.lblNum2->isVisible();
    }
    bool exerciseHidden() const
    {
        return tavola.lblNum1->isHidden() && tavola.Label10->isHidden() && tavola.lblNum2->isHidden();
    }
    bool bandsDrawn() const { return tavola.surface->drawing().pixelColor(400, 300).alpha() == 255; }
    QColor messageColour() const { return tavola.lblMessage->palette().color(QPalette::WindowText); }
    QStringList scores() const { return {tavola.lblScore->text(), tavola.lblScore1->text(), tavola.lblScore2->text()}; }

    RecordingPerformer *performer;
    Tavola tavola;
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
    void anythingButTheExactDigitsIsWrong_data();
    void anythingButTheExactDigitsIsWrong();
    void countingPast32767IsTheOverflowError_data();
    void countingPast32767IsTheOverflowError();
    void everyKeyThatGivesACharacterShowsTheExercise_data();
    void everyKeyThatGivesACharacterShowsTheExercise();
    void playsSeveralExercisesWithTheKeyboardAlone();
    void repeatedEnterDoesNotJudgeTheSameAnswerTwice_data();
    void repeatedEnterDoesNotJudgeTheSameAnswerTwice();
    void aHeldEnterJudgesOnlyOnce();
};

void TestAnswerCheck::rightAnswerIsPraisedInBlueAndClimbsTheLadder_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("correct");
    QTest::addColumn<QStringList>("ladder");
    QTest::newRow("first right answer: Esatto and the result") << "0" << 0 << QStringList{"Speak Esatto", "Speak 49"};
    QTest::newRow("fourth right answer names the player")
        << "3" << 3 << QStringList{"Speak Esatto", "Speak Amico", "Speak 49"};
    QTest::newRow("eleventh right answer says neither Esatto nor Giusto")
        << "10" << 10
        << QStringList{"Speak 49", "Play congratulate", "Speak Sei sulla buona strada per diventare cavaliere"};
    QTest::newRow("the ladder climbs on the shown count, not on correctCount")
        << "2" << 5 << QStringList{"Speak Esatto", "Speak 49", "Play congratulate", "Speak Sei grande"};
}

void TestAnswerCheck::rightAnswerIsPraisedInBlueAndClimbsTheLadder()
{
    QFETCH(QString, shown);
    QFETCH(int, correct);
    QFETCH(QStringList, ladder);
    Game game;
    Tavola &t = game.tavola;
    t.correctCount = qint16(correct);
    t.wrongCount = 2;
    t.lblScore->setText(shown);
    t.lblScore1->setText(QStringLiteral("2"));

    game.answer(QStringLiteral("49"));

    QCOMPARE(t.lblMessage->text(), QStringLiteral("Esatto. Sei forte!!!"));
    QCOMPARE(game.messageColour(), blue);
    QCOMPARE(t.correctCount, correct + 1);
    QCOMPARE(t.wrongCount, 2);
    QCOMPARE(game.performer->log, preamble + ladder);
    QCOMPARE(game.scores(), (QStringList{QString::number(correct + 1), "2", QString::number(correct + 3)}));
    QVERIFY(game.exerciseHidden());
    QVERIFY(t.cmdNext->isEnabled());
    QVERIFY(t.cmdNext->hasFocus());
}

void TestAnswerCheck::anythingButTheExactDigitsIsWrong_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("one less") << "48";
    QTest::newRow("a leading zero") << "049";
    QTest::newRow("a leading blank") << " 49";
    QTest::newRow("a trailing blank") << "49 ";
    QTest::newRow("nothing at all") << "";
    QTest::newRow("the number in words") << "quarantanove";
    QTest::newRow("the right digits then a full box") << QStringLiteral("49").leftJustified(250, u'9');
    QTest::newRow("Arabic-Indic digits for 49") << QStringLiteral("\u0664\u0669");
    QTest::newRow("full-width digits for 49") << QStringLiteral("\uff14\uff19");
    QTest::newRow("Cyrillic letters") << QStringLiteral("\u0441\u043e\u0440\u043e\u043a");
}

void TestAnswerCheck::anythingButTheExactDigitsIsWrong()
{
    QFETCH(QString, typed);
    Game game;
    Tavola &t = game.tavola;
    t.correctCount = 3;
    t.wrongCount = 2;
    t.lblScore->setText(QStringLiteral("3"));
    t.lblScore1->setText(QStringLiteral("2"));
    t.lblScore2->setText(QStringLiteral("5"));

    game.answer(typed);

    QCOMPARE(t.Text3->text(), typed);
    QCOMPARE(t.lblMessage->text(), QStringLiteral("Sbagliato!! 49"));
    QCOMPARE(game.messageColour(), red);
    QCOMPARE(t.correctCount, 3);
    QCOMPARE(t.wrongCount, 3);
    QCOMPARE(game.performer->log, wrongPreamble + QStringList({"Speak Sbagliato", "Speak 49"}));
    QCOMPARE(game.scores(), (QStringList{"3", "3", "6"}));
    QVERIFY(game.exerciseHidden());
    QVERIFY(t.cmdNext->hasFocus());
}

void TestAnswerCheck::countingPast32767IsTheOverflowError_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("wrong");
    QTest::newRow("right answers past 32767") << "49" << 32767 << 0;
    QTest::newRow("wrong answers past 32767") << "48" << 0 << 32767;
    QTest::newRow("right plus wrong past 32767") << "49" << 20000 << 12767;
}

void TestAnswerCheck::countingPast32767IsTheOverflowError()
{
    QFETCH(QString, typed);
    QFETCH(int, correct);
    QFETCH(int, wrong);
    Game game;
    game.tavola.correctCount = qint16(correct);
    game.tavola.wrongCount = qint16(wrong);
    game.tavola.lblScore->setText(QString::number(correct));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, game.answer(typed));
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
    Tavola &t = game.tavola;
    t.Text3->setText(QStringLiteral("75"));
    QVERIFY(game.bandsDrawn());
    QVERIFY(game.exerciseHidden());

    QTest::keyClick(t.Text3, key);

    QCOMPARE(t.Text3->text(), boxAfter);
    QCOMPARE(game.exerciseShown(), givesACharacter);
    QCOMPARE(game.bandsDrawn(), !givesACharacter);
    QCOMPARE(t.wrongCount + t.correctCount, 0);
    QVERIFY(game.performer->log.isEmpty());
}

void TestAnswerCheck::playsSeveralExercisesWithTheKeyboardAlone()
{
    Game game({sevenTimesSeven, sevenTimesThree, sevenTimesTen});
    Tavola &t = game.tavola;
    QVERIFY(t.Text3->hasFocus());
    QVERIFY(!t.cmdNext->isEnabled());

    // 7 x 7, answered right.
    type(QStringLiteral("4"));
    QVERIFY(game.exerciseShown());
    QVERIFY(!game.bandsDrawn());
    type(QStringLiteral("9"));
    press(Qt::Key_Return);
    QCOMPARE(t.lblMessage->text(), QStringLiteral("Esatto. Sei forte!!!"));
    QCOMPARE(game.scores(), (QStringList{"1", "0", "1"}));
    QVERIFY(game.exerciseHidden());
    QVERIFY(t.cmdNext->isEnabled());
    QVERIFY(t.cmdNext->hasFocus());

    // Enter on the button asks for 7 x 3; the first key, a Backspace, shows it.
    press(Qt::Key_Return);
    QCOMPARE(t.Text7, QStringLiteral("21"));
    QCOMPARE(t.lblMessage->text(), QString());
    QCOMPARE(t.Text3->text(), QString());
    QVERIFY(t.Text3->hasFocus());
    QVERIFY(game.bandsDrawn());
    QVERIFY(game.exerciseHidden());
    press(Qt::Key_Backspace);
    QVERIFY(game.exerciseShown());
    QVERIFY(!game.bandsDrawn());
    type(QStringLiteral("12"));
    press(Qt::Key_Return);
    QCOMPARE(t.lblMessage->text(), QStringLiteral("Sbagliato!! 21"));
    QCOMPARE(game.scores(), (QStringList{"1", "1", "2"}));
    QVERIFY(game.exerciseHidden());
    QVERIFY(t.cmdNext->hasFocus());

    // 7 x 10, answered right.
    press(Qt::Key_Return);
    QCOMPARE(t.Text7, QStringLiteral("70"));
    QVERIFY(t.Text3->hasFocus());
    type(QStringLiteral("70"));
    press(Qt::Key_Return);
    QCOMPARE(t.lblMessage->text(), QStringLiteral("Esatto. Sei forte!!!"));
    QCOMPARE(game.scores(), (QStringList{"2", "1", "3"}));
    QVERIFY(t.cmdNext->hasFocus());
    QCOMPARE(t.correctCount, 2);
    QCOMPARE(t.wrongCount, 1);
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
    Tavola &t = game.tavola;
    type(answer);
    press(Qt::Key_Return);
    t.Command3->click();
    const QStringList scores = game.scores();
    const QString verdict = t.lblMessage->text();
    const QColor colour = game.messageColour();

    // The child goes back into the box with the mouse and maybe edits: the verdict stays.
    QTest::mouseClick(t.Text3, Qt::LeftButton);
    QVERIFY(t.Text3->hasFocus());
    for (const QChar c : typedAgain)
        press(c == u'\b' ? Qt::Key_Backspace : Qt::Key(c.unicode()));
    QCOMPARE(t.lblMessage->text(), verdict);
    QCOMPARE(game.messageColour(), colour);
    QVERIFY(game.exerciseHidden());

    // Enter there asks for the next exercise, as "Nuovo calcolo" does, and judges nothing.
    press(Qt::Key_Return);
    QCOMPARE(game.scores(), scores);
    QCOMPARE(t.correctCount + t.wrongCount, 1);
    QCOMPARE(t.Text7, QStringLiteral("21"));
    QCOMPARE(t.lblMessage->text(), QString());
    QCOMPARE(t.Text3->text(), QString());
    QVERIFY(t.Text3->hasFocus());

    // The next exercise gets its own verdict.
    type(QStringLiteral("21"));
    press(Qt::Key_Return);
    QCOMPARE(t.correctCount + t.wrongCount, 2);
}

void TestAnswerCheck::aHeldEnterJudgesOnlyOnce()
{
    Game game;
    Tavola &t = game.tavola;
    type(QStringLiteral("48"));
    press(Qt::Key_Return);
    // Held down, Enter goes on repeating wherever the focus moves: to the button, then to the box.
    for (int i = 0; i < 4; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(QApplication::focusWidget(), &repeat);
    }
    QCOMPARE(t.correctCount + t.wrongCount, 1);
    QCOMPARE(game.scores(), (QStringList{"0", "1", "1"}));
}

QTEST_MAIN(TestAnswerCheck)
#include "tst_answercheck.moc"
