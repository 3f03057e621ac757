#include "engine/round.h"
#include "narrator/balloon.h"
#include "narrator/ondemandperformer.h"
#include "narrator/wizardperformer.h"
#include "narrator/wizardwindow.h"
#include "records/recordkeeper.h"
#include "window/game/gamewindow.h"

#include "support/fakerandom.h"
#include "support/fakespeech.h"
#include "support/faketimesource.h"

#include <QApplication>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

/// Types `text`, then Enter, where the keyboard is: into the window with the focus, as the platform delivers keys.
void typeWhereTheKeyboardIs(const QString &text)
{
    // A box just shown gets the keyboard when the platform activates it, which Qt 6.8 does a moment later.
    QTRY_VERIFY(QGuiApplication::focusWindow());
    for (const QChar c : text)
        QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
    QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
}

/// Types each of `texts` into the next box that opens.
void typeIntoTheBoxes(QStringList texts)
{
    QTimer::singleShot(20, [texts]() mutable {
        if (QApplication::activeModalWidget())
            typeWhereTheKeyboardIs(texts.takeFirst());
        if (!texts.isEmpty())
            typeIntoTheBoxes(texts);
    });
}

} // namespace

/// The platform choice injected, on the offscreen platform: the wizard stands inside the game window, as on Wayland,
/// wired as the program wires him there. Time, speech and sound are in the test's hands.
class TestWizardInWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void insideTheWindowMerlinCoversNoControlAndEveryKeyReachesTheGame();
};

void TestWizardInWindow::insideTheWindowMerlinCoversNoControlAndEveryKeyReachesTheGame()
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    auto *clock = new FakeTimeSource;
    QStringList synthesised;
    narrator::WizardPerformer *performer = nullptr;
    window::GameWindow *game = nullptr;
    engine::Round round(std::make_unique<FakeRandom>(QList{0.3f, 0.95f, 0.6f}));
    // His window is the game window's child: the narrator ends first.
    auto merlin = std::make_unique<narrator::Agent>(
        new narrator::OnDemandPerformer([&] {
            performer =
                new narrator::WizardPerformer(std::make_unique<FakeSpeechEngine>(&synthesised),
                                              std::make_unique<FakeAudioSink>(QStringLiteral("none")),
                                              std::unique_ptr<narrator::TimeSource>(clock), game->centralWidget());
            performer->setStageOrigin([game] { return game->frameGeometry().topLeft(); });
            performer->setKeepClear([game] { return game->narratorMustNotCover(); });
            return performer;
        }),
        nullptr);
    window::GameWindow tavola(round, *merlin, std::make_unique<window::MessageBoxDialogs>(),
                              records::chooseRecordKeeper());
    game = &tavola;
    const auto merlinEndsFirst = qScopeGuard([&merlin] { merlin.reset(); });
    typeIntoTheBoxes({QStringLiteral("Giulia"), QString()});
    tavola.prepareGame();
    tavola.show();
    tavola.beginGame();
    QVERIFY(QTest::qWaitForWindowActive(&tavola));
    QCOMPARE(round.playerName(), QStringLiteral("Giulia"));
    narrator::WizardWindow *wizard = performer->window();
    const QWidget *client = tavola.centralWidget();
    const auto onScreen = [](const QWidget *w) { return QRect(w->parentWidget()->mapToGlobal(w->pos()), w->size()); };
    const auto lookAtMerlin = [&](int ms) {
        for (int t = 0; t < ms; t += 100) {
            clock->advance(100);
            for (const QWidget *shown : {static_cast<QWidget *>(wizard), static_cast<QWidget *>(wizard->balloon())}) {
                if (!shown->isVisible())
                    continue;
                QVERIFY2(!shown->isWindow() && shown->parentWidget() == client, "he has a window of his own");
                QVERIFY(QRect(client->mapToGlobal(QPoint(0, 0)), client->size()).contains(onScreen(shown)));
                for (const QWidget *control : client->findChildren<QWidget *>()) {
                    if (control != wizard && control != wizard->balloon() && control->isVisible())
                        QVERIFY2(!onScreen(shown).intersects(onScreen(control)), qPrintable(control->objectName()));
                }
            }
            // He shows when asked to, never with the window: a balloon in sight has words in it.
            QVERIFY(!wizard->balloon()->isVisible() || !wizard->balloon()->text().isEmpty());
            // The keyboard stays with the game's own controls: the answer box, or the button after a verdict.
            QCOMPARE(QGuiApplication::focusWindow(), tavola.windowHandle());
            QVERIFY(QApplication::focusWidget() != wizard && QApplication::focusWidget() != wizard->balloon());
        }
    };
    lookAtMerlin(20000);
    QVERIFY(wizard->isVisible() && !synthesised.isEmpty());
    // Typed while he speaks: a wrong answer and two right ones, each followed by Enter for the next exercise.
    for (const QString &answer : {QStringLiteral("1"), QString(), QString()}) {
        typeWhereTheKeyboardIs(answer.isEmpty() ? round.expectedAnswer() : answer);
        lookAtMerlin(3000);
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
        lookAtMerlin(3000);
    }
    QCOMPARE(round.wrongCount(), 1);
    QCOMPARE(round.rightCount(), 2);
}

QTEST_MAIN(TestWizardInWindow)
#include "tst_wizardinwindow.moc"
