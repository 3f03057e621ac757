#include "narrator/agent.h"
#include "narrator/timesource.h"
#include "narrator/espeakengine.h"
#include "narrator/pcaudiosink.h"
#include "narrator/wizardperformer.h"

#include "support/soundserver.h"

#include <QTest>

namespace {

QStringList warnings;
void keepWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("quorvane:")))
        warnings.append(message);
}

} // namespace

/// The real narrator against a real sound server of the test's own, which dies and comes back.
class TestSoundRecovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aSoundServerThatDiesAndComesBackSilencesMerlinOnlyMeanwhile();
};

void TestSoundRecovery::aSoundServerThatDiesAndComesBackSilencesMerlinOnlyMeanwhile()
{
    SoundServer server;
    QVERIFY(server.start());
    auto engine = std::make_unique<narrator::EspeakEngine>();
    auto sink = std::make_unique<narrator::PcAudioSink>(engine->sampleRate());
    narrator::Agent agent(new narrator::WizardPerformer(std::move(engine), std::move(sink),
                                                        std::make_unique<narrator::SystemTimeSource>()),
                          nullptr);
    agent.Characters().Load(narrator::merlinName, narrator::merlinFile);
    narrator::Character merlin = agent.Characters().Item(narrator::merlinName);
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepWarnings);

    {
        const MonitorRecorder recorder;
        merlin.Speak(QStringLiteral("Allora attenzione, iniziamo la nostra avventura con la tabellina del 7"));
        merlin.Speak(QStringLiteral("sette per tre"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.firstSoundAfter({}).has_value(), 3000);
    }
    const auto killed = MonitorRecorder::Clock::now();
    server.kill();
    // The queue goes on: the rest of the first speech in the balloon, then the second without sound.
    QTRY_VERIFY_WITH_TIMEOUT(agent.queue()->isIdle(), 10000);
    QVERIFY(MonitorRecorder::Clock::now() - killed > std::chrono::milliseconds(1000));
    QCOMPARE(warnings.size(), 1);

    QVERIFY(server.start());
    const MonitorRecorder recorder;
    QTest::qWait(200);
    const auto backAt = MonitorRecorder::Clock::now();
    merlin.Speak(QStringLiteral("ventuno"));
    QTRY_VERIFY_WITH_TIMEOUT(agent.queue()->isIdle(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(recorder.firstSoundAfter(backAt).has_value(), 2000);
    qInstallMessageHandler(previous);
    QCOMPARE(warnings.size(), 1);
}

QTEST_MAIN(TestSoundRecovery)
#include "tst_soundrecovery.moc"
