#include "narrator/agent.h"
#include "narrator/balloon.h"
#include "narrator/wizardperformer.h"
#include "narrator/wizardwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTest>

/// Runs on a real X server (Xvfb, no window manager, no compositor), where focus and shape are real; last, with a
/// window manager (xfwm4).
class TestWizardFocus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void typingWhileTheWizardSpeaksReachesTheAnswerBox();
    void theWizardIsCutToHisShapeWithoutACompositor();
    void keysTypedIntoAWindowOfTheWizardsGivenTheFocusReachTheGame_data();
    void keysTypedIntoAWindowOfTheWizardsGivenTheFocusReachTheGame();
    void cleanupTestCase();

private:
    QProcess m_windowManager;
    QLineEdit m_answer;
    std::unique_ptr<narrator::Agent> m_agent;
    narrator::WizardPerformer *m_performer = nullptr;
};

void TestWizardFocus::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    // A large white window right under where the wizard stands, with the keyboard focus.
    m_answer.setGeometry(150, 120, 700, 500);
    m_answer.setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
    m_answer.show();
    m_answer.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_answer));
    QGuiApplication::setQuitOnLastWindowClosed(false);

    auto *performer = narrator::createWizardPerformer();
    m_performer = performer;
    m_performer->setKeyboardHome(&m_answer);
    m_agent = std::make_unique<narrator::Agent>(performer, nullptr);
    m_agent->characters().load(narrator::merlinName);
}

void TestWizardFocus::typingWhileTheWizardSpeaksReachesTheAnswerBox()
{
    narrator::Character merlin = m_agent->characters().item(QStringLiteral("Merlin"));
    narrator::takeTheStage(merlin, QStringLiteral("Greet"));
    merlin.speak(QStringLiteral("Io detto e tu scrivi il risultato nello spazio sotto di me"));
    QTRY_VERIFY_WITH_TIMEOUT(m_performer->window()->balloon()->isVisible(), 5000);
    QVERIFY(m_performer->window()->isVisible());

    // Keys go where the X server's focus is, as a child's typing does.
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("42")}), 0);
    QTRY_COMPARE(m_answer.text(), QStringLiteral("42"));
    QCOMPARE(QApplication::activeWindow(), &m_answer);
    QVERIFY(m_performer->window()->balloon()->isVisible());
}

void TestWizardFocus::theWizardIsCutToHisShapeWithoutACompositor()
{
    narrator::WizardWindow *wizard = m_performer->window();
    QTRY_VERIFY(m_agent->queue()->isIdle());
    const QRect there = wizard->frameGeometry();
    const auto at = [](const QPoint &point) {
        return QGuiApplication::primaryScreen()->grabWindow(0, point.x(), point.y(), 1, 1).toImage().pixelColor(0, 0);
    };
    // The corner of the window is air: the white window behind shows through, not a black box. The X server
    // draws him in its own time.
    const QPoint robe(there.left() + there.width() / 2 - 20, there.top() + there.height() * 4 / 5);
    QTRY_VERIFY2(at(robe).blue() > at(robe).red() + 40, qPrintable(at(robe).name()));
    QTRY_COMPARE(at(there.topLeft() + QPoint(2, 2)), QColor(Qt::white));
    QTRY_COMPARE(at(there.bottomRight() - QPoint(2, 2)), QColor(Qt::white));
}

void TestWizardFocus::keysTypedIntoAWindowOfTheWizardsGivenTheFocusReachTheGame_data()
{
    QTest::addColumn<bool>("balloon");
    QTest::newRow("the wizard's window") << false;
    QTest::newRow("the balloon") << true;
}

void TestWizardFocus::keysTypedIntoAWindowOfTheWizardsGivenTheFocusReachTheGame()
{
    QFETCH(bool, balloon);
    if (m_windowManager.state() == QProcess::NotRunning) {
        m_windowManager.start(QStringLiteral("xfwm4"),
                              {QStringLiteral("--compositor=off"), QStringLiteral("--sm-client-disable")});
        QTRY_VERIFY_WITH_TIMEOUT(
            QProcess::execute(QStringLiteral("sh"),
                              {QStringLiteral("-c"),
                               QStringLiteral("xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'")}) == 0,
            10000);
    }
    narrator::WizardWindow *wizard = m_performer->window();
    const QWidget *given = balloon ? static_cast<QWidget *>(wizard->balloon()) : wizard;
    m_answer.clear();
    // The focus given to his window, as some window managers and compositors do, and the child typing on at once.
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                               {QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                                QString::number(given->winId()), QStringLiteral("type"), QStringLiteral("42")}),
             0);
    QTRY_COMPARE(m_answer.text(), QStringLiteral("42"));
    QTRY_COMPARE(QApplication::activeWindow(), &m_answer);
}

void TestWizardFocus::cleanupTestCase()
{
    m_windowManager.terminate();
    m_windowManager.waitForFinished();
}

QTEST_MAIN(TestWizardFocus)
#include "tst_wizardfocus.moc"
