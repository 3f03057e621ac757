#include "support/startedgame.h"

namespace {

struct Game : StartedGame
{
    explicit Game(QList<float> fractions = {0.5f}) : StartedGame(QStringLiteral("Giulia"), std::move(fractions))
    {
        showActive();
    }
};

} // namespace

class TestNextExercise : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setsTheExerciseInTheCarriersAndLabels_data();
    void setsTheExerciseInTheCarriersAndLabels();
    void paintsTheBandsAcrossTheWholeClientArea_data();
    void paintsTheBandsAcrossTheWholeClientArea();
};

void TestNextExercise::setsTheExerciseInTheCarriersAndLabels_data()
{
    QTest::addColumn<float>("fraction");
    QTest::addColumn<int>("factor2");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("product");
    QTest::newRow("7 x 1") << 0.0f << 1 << "uno"
                           << "7";
    QTest::newRow("7 x 3") << 0.25f << 3 << "tre"
                           << "21";
    QTest::newRow("7 x 7") << 0.65f << 7 << "sette"
                           << "49";
    QTest::newRow("7 x 10") << 0.95f << 10 << "dieci"
                            << "70";
}

void TestNextExercise::setsTheExerciseInTheCarriersAndLabels()
{
    QFETCH(float, fraction);
    QFETCH(int, factor2);
    QFETCH(QString, words);
    QFETCH(QString, product);
    Game game({0.35f, fraction});
    game.label("lblMessage")->setText(QStringLiteral("Sbagliato!! 49"));

    game.round.nextExercise();

    const engine::Exercise &exercise = game.round.exercise();
    QCOMPARE(exercise.factor1, 7);
    QCOMPARE(exercise.factor2, factor2);
    QCOMPARE(exercise.tintLevel, 4);
    QCOMPARE(game.round.expectedAnswer(), product);
    QCOMPARE(exercise.product, product.toInt());
    QCOMPARE(game.label("lblNum1")->text(), QStringLiteral("7"));
    QCOMPARE(game.label("lblNum2")->text(), QString::number(factor2));
    QVERIFY(game.label("lblNum1")->isHidden());
    QVERIFY(game.label("Label10")->isHidden());
    QVERIFY(game.label("lblNum2")->isHidden());
    QCOMPARE(game.label("lblMessage")->text(), QString());
    QCOMPARE(game.answerBox()->text(), QString());
    QVERIFY(game.answerBox()->hasFocus());
    QCOMPARE(game.random->reseeds, 1);
    QCOMPARE(game.performer->log, (QStringList{"Show", "MoveTo 250 175", "Play Greet", "Height 205", "Speak 7",
                                               "Speak per", "Speak " + words}));
}

void TestNextExercise::paintsTheBandsAcrossTheWholeClientArea_data()
{
    QTest::addColumn<float>("tintFraction");
    QTest::addColumn<int>("green");
    QTest::newRow("tint 1 is green 20") << 0.0f << 20;
    QTest::newRow("tint 10 is green 200") << 0.95f << 200;
}

void TestNextExercise::paintsTheBandsAcrossTheWholeClientArea()
{
    QFETCH(float, tintFraction);
    QFETCH(int, green);
    Game game({tintFraction, 0.5f});
    game.round.nextExercise();

    const QImage bands = game.surface()->drawing();
    QCOMPARE(bands.size(), QSize(785, 556));
    const int lastRow = bands.height() - 1;
    for (int x : {0, bands.width() / 2, bands.width() - 1}) {
        QCOMPARE(bands.pixelColor(x, 0), QColor(140, green, 0));
        QCOMPARE(bands.pixelColor(x, lastRow), QColor(140, green, 255));
    }
    // Blue rises with the stripe index; every row is painted, red and green never change.
    int previousBlue = -1;
    for (int y = 0; y <= lastRow; ++y) {
        const QColor c = bands.pixelColor(bands.width() / 3, y);
        QCOMPARE(c.alpha(), 255);
        QCOMPARE(c.red(), 140);
        QCOMPARE(c.green(), green);
        QVERIFY2(c.blue() >= previousBlue, qPrintable(QStringLiteral("row %1").arg(y)));
        previousBlue = c.blue();
    }
    // The middle row belongs to stripe 128.
    QCOMPARE(bands.pixelColor(10, bands.height() / 2 + 1).blue(), 128);
}

QTEST_MAIN(TestNextExercise)
#include "tst_nextexercise.moc"
