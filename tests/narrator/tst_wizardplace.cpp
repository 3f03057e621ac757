#include "narrator/balloon.h"
#include "narrator/wizardperformer.h"
#include "narrator/wizardwindow.h"
#include "window/designlabel.h"
#include "window/drawingsurface.h"
#include "window/shape.h"
#include "window/tavola.h"

#include "fakeclock.h"
#include "fakespeech.h"
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
        : clock(new FakeClock),
          performer(new narrator::WizardPerformer(std::make_unique<FakeSpeechEngine>(&synthesised),
                                                  std::make_unique<FakeAudioSink>(QStringLiteral("none")),
                                                  std::unique_ptr<narrator::Clock>(clock))),
          tavola(std::make_unique<ScriptedDialogs>(), performer,
                 std::make_unique<FakeRandom>(QList{0.3f, 0.95f, 0.3f, 0.25f}))
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        // A window manager's frame puts the window's outer corner above and left of its contents.
        performer->setStageOrigin([this, titleBar] { return tavola.geometry().topLeft() - titleBar; });
        performer->setKeepClear([this] { return tavola.narratorMustNotCover(); });
        tavola.show();
        const QRect screen = tavola.screen()->availableGeometry();
        tavola.move(screen.center() - QPoint(tavola.width() / 2, tavola.height() / 2));
    }

    /// On the screen: the verdict at each of its texts, the printed exercise at its widest, the panels
    /// and the answer box, as the child sees them.
    QList<QRect> mustStayInSight()
    {
        const auto onScreen = [this](const QWidget *w) {
            return QRect(tavola.surface->mapToGlobal(w->pos()), w->size());
        };
        QList<QRect> rects;
        for (const QString &verdict : {QStringLiteral("Esatto. Sei forte!!!"), QStringLiteral("Sbagliato!! 70")}) {
            tavola.lblMessage->setText(verdict);
            rects << onScreen(tavola.lblMessage);
        }
        tavola.lblNum2->setText(QStringLiteral("10"));
        rects << onScreen(tavola.lblNum1) << onScreen(tavola.Label10) << onScreen(tavola.lblNum2)
              << onScreen(tavola.Shape4) << onScreen(tavola.Shape5) << onScreen(tavola.Text3);
        tavola.lblMessage->setText(QString());
        return rects;
    }

    QTemporaryDir data;
    QStringList synthesised;
    FakeClock *clock;
    narrator::WizardPerformer *performer;
    window::Tavola tavola;
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
                                       .arg(game.tavola.screen()->size().width())
                                       .arg(game.tavola.screen()->size().height())));
            }
            ++looks;
        }
    };
    game.tavola.Form_Load();
    game.tavola.Form_Activate();
    watch(20000);
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(wizard->balloon()->isVisible());
    game.tavola.Text3->setText(QStringLiteral("1"));
    game.tavola.Text3_KeyPress(13);
    watch(3000);
    QVERIFY(!QTest::currentTestFailed());
    game.tavola.cmdNext_Click();
    game.tavola.Text3->setText(game.tavola.Text7);
    game.tavola.Text3_KeyPress(13);
    watch(3000);
}

QTEST_MAIN(TestWizardPlace)
#include "tst_wizardplace.moc"
