#include "narrator/agent.h"
#include "narrator/balloon.h"
#include "narrator/stage.h"
#include "narrator/timesource.h"
#include "narrator/wizardperformer.h"
#include "narrator/wizardwindow.h"

#include "support/fakespeech.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

/// Runs on a real X server (Xvfb) with a window manager (xfwm4) that is made to give the wizard's
/// windows the keyboard focus, as some compositors do.
class TestWizardFocusTheft : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void keysTypedIntoAWindowOfTheWizardsReachTheGame_data();
    void keysTypedIntoAWindowOfTheWizardsReachTheGame();

private:
    QProcess m_windowManager;
    QStringList m_synthesised;
    QLineEdit m_answer;
    std::unique_ptr<narrator::Agent> m_agent;
    narrator::WizardPerformer *m_performer = nullptr;
};

void TestWizardFocusTheft::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server");
    m_windowManager.start(QStringLiteral("xfwm4"),
                          {QStringLiteral("--compositor=off"), QStringLiteral("--sm-client-disable")});
    QVERIFY(m_windowManager.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        [] {
            QProcess xprop;
            xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
            return xprop.waitForFinished() && xprop.readAllStandardOutput().contains("window id");
        }(),
        10000);
    m_answer.setGeometry(150, 120, 700, 500);
    m_answer.show();
    m_answer.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_answer));
    QGuiApplication::setQuitOnLastWindowClosed(false);

    m_performer = new narrator::WizardPerformer(std::make_unique<FakeSpeechEngine>(&m_synthesised),
                                                std::make_unique<FakeAudioSink>(QStringLiteral("none")),
                                                std::make_unique<narrator::SystemTimeSource>());
    m_performer->setKeyboardHome(&m_answer);
    m_agent = std::make_unique<narrator::Agent>(m_performer, nullptr);
    m_agent->Characters().Load(narrator::merlinName, narrator::merlinFile);
    narrator::Character merlin = m_agent->Characters().Item(QStringLiteral("Merlin"));
    narrator::takeTheStage(merlin, QStringLiteral("Greet"));
    merlin.Speak(QStringLiteral("Io detto e tu scrivi il risultato nello spazio sotto di me"));
    QTRY_VERIFY_WITH_TIMEOUT(m_performer->window()->balloon()->isVisible(), 5000);
}

void TestWizardFocusTheft::cleanupTestCase()
{
    m_agent.reset();
    m_windowManager.terminate();
    m_windowManager.waitForFinished();
}

void TestWizardFocusTheft::keysTypedIntoAWindowOfTheWizardsReachTheGame_data()
{
    QTest::addColumn<bool>("balloon");
    QTest::newRow("the wizard's window") << false;
    QTest::newRow("the balloon") << true;
}

void TestWizardFocusTheft::keysTypedIntoAWindowOfTheWizardsReachTheGame()
{
    QFETCH(bool, balloon);
    narrator::WizardWindow *wizard = m_performer->window();
    const QWidget *taking = balloon ? static_cast<QWidget *>(wizard->balloon()) : wizard;
    m_answer.clear();
    const QString window = QString::number(taking->winId());
    // The focus given to his window, and the child typing on at once, as a child does.
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                                                           window, QStringLiteral("type"), QStringLiteral("42")}),
             0);
    QTRY_COMPARE(m_answer.text(), QStringLiteral("42"));
    QTRY_COMPARE(QApplication::activeWindow(), &m_answer);
}

QTEST_MAIN(TestWizardFocusTheft)
#include "tst_wizardfocustheft.moc"
