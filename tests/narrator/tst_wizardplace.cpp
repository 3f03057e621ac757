#include "narrator/balloon.h"
#include "narrator/wizardperformer.h"
#include "narrator/wizardwindow.h"
#include "engine/round.h"
#include "window/game/gamewindow.h"

#include "support/faketimesource.h"
#include "support/fakespeech.h"
#include "support/fakerandom.h"
#include "support/scripteddialogs.h"

#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

/// The game's window centred on the screen, with the narrator wired as the program wires him, and
/// time, speech and sound in the test's hands.
struct CentredGame
{
    explicit CentredGame(QPoint titleBar)
        : clock(new FakeTimeSource),
          performer(new narrator::WizardPerformer(std::make_unique<FakeSpeechEngine>(&synthesised),
                                                  std::make_unique<FakeAudioSink>(QStringLiteral("none")),
                                                  std::unique_ptr<narrator::TimeSource>(clock))),
          round(std::make_unique<FakeRandom>(QList{0.3f, 0.95f, 0.3f, 0.25f})), narrator(performer, nullptr),
          gameWindow(round, narrator, std::make_unique<ScriptedDialogs>(), records::chooseRecordKeeper())
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        // A window manager's frame puts the window's outer corner above and left of its contents.
        performer->setStageOrigin([this, titleBar] { return gameWindow.geometry().topLeft() - titleBar; });
        performer->setKeepClear([this] { return gameWindow.narratorMustNotCover(); });
        gameWindow.show();
        const QRect screen = gameWindow.screen()->availableGeometry();
        gameWindow.move(screen.center() - QPoint(gameWindow.width() / 2, gameWindow.height() / 2));
    }

    /// On the screen: the verdict at each of its texts, the printed exercise at its widest, the panels
    /// and the answer box, as the child sees them.
    QList<QRect> mustStayInSight()
    {
        const auto onScreen = [this](const QWidget *w) {
            return QRect(w->parentWidget()->mapToGlobal(w->pos()), w->size());
        };
        QList<QRect> rects;
        for (const QString &verdict : {QStringLiteral("Esatto. Sei forte!!!"), QStringLiteral("Sbagliato!! 70")}) {
            label("lblMessage")->setText(verdict);
            rects << onScreen(control("lblMessage"));
        }
        label("lblNum2")->setText(QStringLiteral("10"));
        rects << onScreen(control("lblNum1")) << onScreen(control("Label10")) << onScreen(control("lblNum2"))
              << onScreen(control("Shape4")) << onScreen(control("Shape5")) << onScreen(control("Text3"));
        label("lblMessage")->setText(QString());
        return rects;
    }

    QWidget *control(const char *objectName) const
    {
        return gameWindow.findChild<QWidget *>(QLatin1String(objectName));
    }
    QLabel *label(const char *objectName) const { return gameWindow.findChild<QLabel *>(QLatin1String(objectName)); }
    void answer(const QString &typed)
    {
        auto *box = gameWindow.findChild<QLineEdit *>(QStringLiteral("Text3"));
        box->setText(typed);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QTemporaryDir data;
    QStringList synthesised;
    FakeTimeSource *clock;
    narrator::WizardPerformer *performer;
    engine::Round round;
    narrator::Agent narrator;
    window::GameWindow gameWindow;
};

} // namespace

/// Runs on a real X server, once with a screen of 1024x768 and once of 1920x1080.
class TestWizardPlace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void merlinAndHisBalloonNeverCoverWhatTheChildReads_data();
    void merlinAndHisBalloonNeverCoverWhatTheChildReads();
};

void TestWizardPlace::merlinAndHisBalloonNeverCoverWhatTheChildReads_data()
{
    QTest::addColumn<QPoint>("titleBar");
    QTest::newRow("without a title bar") << QPoint(0, 0);
    QTest::newRow("with a title bar") << QPoint(4, 28);
}

void TestWizardPlace::merlinAndHisBalloonNeverCoverWhatTheChildReads()
{
    QFETCH(QPoint, titleBar);
    CentredGame game(titleBar);
    const QList<QRect> inSight = game.mustStayInSight();
    narrator::WizardWindow *wizard = game.performer->window();
    int looks = 0;
    // Every tenth of a second of the introduction, a dictation, a wrong and a right answer.
    const auto watch = [&](int ms) {
        for (int t = 0; t < ms; t += 100) {
            game.clock->advance(100);
            QList<QRect> narrator;
            for (const QWidget *shown : {static_cast<QWidget *>(wizard), static_cast<QWidget *>(wizard->balloon())}) {
                if (shown->isVisible())
                    narrator << shown->frameGeometry();
            }
            for (const QRect &covering : narrator) {
                for (const QRect &control : inSight)
                    QVERIFY2(
                        !covering.intersects(control),
                        qPrintable(QStringLiteral("at %1 ms, (%2,%3 %4x%5) meets (%6,%7 %8x%9) on a %10x%11 screen")
                                       .arg(looks * 100)
                                       .arg(covering.x())
                                       .arg(covering.y())
                                       .arg(covering.width())
                                       .arg(covering.height())
                                       .arg(control.x())
                                       .arg(control.y())
                                       .arg(control.width())
                                       .arg(control.height())
                                       .arg(game.gameWindow.screen()->size().width())
                                       .arg(game.gameWindow.screen()->size().height())));
            }
            ++looks;
        }
    };
    game.gameWindow.prepareGame();
    game.gameWindow.beginGame();
    watch(20000);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(wizard->balloon()->isVisible());
    game.answer(QStringLiteral("1"));
    watch(3000);
    QVERIFY(!QTest::currentTestFailed());
    game.round.nextExercise();
    game.answer(game.round.expectedAnswer());
    watch(3000);
}

QTEST_MAIN(TestWizardPlace)
#include "tst_wizardplace.moc"
