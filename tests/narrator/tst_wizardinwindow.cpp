#include "engine/round.h"
#include "narrator/balloon.h"
#include "narrator/ondemandperformer.h"
#include "narrator/wizardperformer.h"
#include "narrator/wizardwindow.h"
#include "window/tavola.h"

#include "support/fakerandom.h"
#include "support/fakespeech.h"
#include "support/faketimesource.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

/// Types `text` where the keyboard is: into the window with the focus, as the platform delivers keys.
void typeWhereTheKeyboardIs(const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
}

/// Types into the program's boxes as they open: the name into the name box, Enter into every box.
class BoxTypist : public QObject
{
public:
    explicit BoxTypist(QString name) : m_name(std::move(name))
    {
        auto *look = new QTimer(this);
        connect(look, &QTimer::timeout, this, &BoxTypist::typeIntoOpenBox);
        look->start(20);
    }

    QStringList namesTyped;

private:
    void typeIntoOpenBox()
    {
        QWidget *box = QApplication::activeModalWidget();
        if (!box || box == m_lastBox)
            return;
        m_lastBox = box;
        if (qobject_cast<QInputDialog *>(box)) {
            typeWhereTheKeyboardIs(m_name);
            namesTyped << box->findChild<QLineEdit *>()->text();
        }
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
    }

    QString m_name;
    QPointer<QWidget> m_lastBox;
};

/// The game's window with the narrator wired as the program wires him where it cannot place his windows:
/// inside the game window. Time, speech and sound are in the test's hands.
struct GameWithMerlinInside
{
    GameWithMerlinInside()
        : tavola(std::make_unique<window::MessageBoxDialogs>(),
                 new narrator::OnDemandPerformer([this] { return makeWizard(); }),
                 std::make_unique<FakeRandom>(QList{0.3f, 0.95f, 0.6f}))
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    }

    narrator::Performer *makeWizard()
    {
        performer = new narrator::WizardPerformer(std::make_unique<FakeSpeechEngine>(&synthesised),
                                                  std::make_unique<FakeAudioSink>(QStringLiteral("none")),
                                                  std::unique_ptr<narrator::TimeSource>(clock), tavola.centralWidget());
        performer->setStageOrigin([this] { return tavola.frameGeometry().topLeft(); });
        performer->setKeepClear([this] { return tavola.narratorMustNotCover(); });
        return performer;
    }

    /// Every control of the game window in sight, where it lies on the screen.
    QList<std::pair<QString, QRect>> controlsInSight() const
    {
        QList<std::pair<QString, QRect>> controls;
        for (const QWidget *control : tavola.findChildren<QWidget *>()) {
            if (control->isWindow() || !control->isVisible() || control == tavola.centralWidget() ||
                control->objectName().isEmpty())
                continue;
            controls.append(
                {control->objectName(), QRect(control->parentWidget()->mapToGlobal(control->pos()), control->size())});
        }
        return controls;
    }

    QTemporaryDir data;
    QStringList synthesised;
    FakeTimeSource *clock = new FakeTimeSource;
    narrator::WizardPerformer *performer = nullptr;
    window::Tavola tavola;
};

} // namespace

/// The platform choice injected, on the offscreen platform: the wizard stands inside the game window, as on Wayland.
class TestWizardInWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void insideTheWindowMerlinCoversNoControlAndEveryKeyReachesTheGame();
};

void TestWizardInWindow::insideTheWindowMerlinCoversNoControlAndEveryKeyReachesTheGame()
{
    GameWithMerlinInside game;
    BoxTypist typist(QStringLiteral("Giulia"));
    game.tavola.prepareGame();
    game.tavola.show();
    game.tavola.beginGame();
    QCOMPARE(typist.namesTyped, QStringList{"Giulia"});
    QVERIFY(QTest::qWaitForWindowActive(&game.tavola));
    QVERIFY(game.performer);
    narrator::WizardWindow *wizard = game.performer->window();
    const QRect client(game.tavola.centralWidget()->mapToGlobal(QPoint(0, 0)), game.tavola.centralWidget()->size());
    const auto lookAtMerlin = [&](int ms) {
        for (int t = 0; t < ms; t += 100) {
            game.clock->advance(100);
            for (const QWidget *shown : {static_cast<QWidget *>(wizard), static_cast<QWidget *>(wizard->balloon())}) {
                if (!shown->isVisible())
                    continue;
                QVERIFY2(!shown->isWindow() && shown->window() == &game.tavola, "he has a window of his own");
                const QRect there(shown->parentWidget()->mapToGlobal(shown->pos()), shown->size());
                QVERIFY2(client.contains(there), qPrintable(shown->metaObject()->className()));
                for (const auto &[name, control] : game.controlsInSight())
                    QVERIFY2(!there.intersects(control),
                             qPrintable(QStringLiteral("%1 covers %2: %3 %4").arg(shown->metaObject()->className(), name, QString::number(there.y()) + "+" + QString::number(there.height()) + " x" + QString::number(there.x()) + "+" + QString::number(there.width()), QString::number(control.y()) + " x" + QString::number(control.x()))));
            }
            // He shows when asked to, never with the window: a balloon in sight has words in it.
            QVERIFY(!wizard->balloon()->isVisible() || !wizard->balloon()->text().isEmpty());
            // The keyboard stays with the game's own controls: the answer box, or the button after a verdict.
            QCOMPARE(QGuiApplication::focusWindow(), game.tavola.windowHandle());
            QVERIFY(QApplication::focusWidget() != wizard && QApplication::focusWidget() != wizard->balloon());
        }
    };
    lookAtMerlin(20000);
    QVERIFY(wizard->isVisible() && wizard->balloon()->isVisible());
    QVERIFY(!game.synthesised.isEmpty());

    // Typed where the keyboard is, as a child types while he speaks: wrong, right, right.
    for (const QString &answer : {QStringLiteral("1"), QString(), QString()}) {
        typeWhereTheKeyboardIs(answer.isEmpty() ? game.tavola.round().expectedAnswer() : answer);
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
        lookAtMerlin(3000);
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Return);
        lookAtMerlin(3000);
    }
    QCOMPARE(game.tavola.round().wrongCount(), 1);
    QCOMPARE(game.tavola.round().rightCount(), 2);
}

QTEST_MAIN(TestWizardInWindow)
#include "tst_wizardinwindow.moc"
