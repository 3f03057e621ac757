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

enum class Outage
{
    KilledDuringASpeech,
    RestartedWhileSilent,
    AbsentAtStartStartedLater
};

using Kind = SoundServer::Kind;
using namespace std::chrono_literals;

} // namespace

/// The real narrator against a real sound server of the test's own, which fails and comes back.
class TestSoundRecovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFirstWordAfterTheServerComesBackIsHeard_data();
    void theFirstWordAfterTheServerComesBackIsHeard();
};

void TestSoundRecovery::theFirstWordAfterTheServerComesBackIsHeard_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Outage>("outage");
    QTest::addColumn<int>("linesOnStandardError");
    for (const Kind kind : {Kind::PulseAudio, Kind::PipeWire}) {
        const char *name = SoundServer::name(kind);
        QTest::addRow("%s killed during a speech", name) << kind << Outage::KilledDuringASpeech << 1;
        // Nothing was lost, so there is nothing to say.
        QTest::addRow("%s restarted while Merlin is silent", name) << kind << Outage::RestartedWhileSilent << 0;
        QTest::addRow("%s absent at start and started later", name) << kind << Outage::AbsentAtStartStartedLater << 1;
    }
}

void TestSoundRecovery::theFirstWordAfterTheServerComesBackIsHeard()
{
    QFETCH(Kind, kind);
    QFETCH(Outage, outage);
    QFETCH(int, linesOnStandardError);
    if (!SoundServer::isInstalled(kind))
        QSKIP("this sound server is not installed");
    SoundServer server(kind);
    if (outage != Outage::AbsentAtStartStartedLater)
        QVERIFY(server.start());
    auto engine = std::make_unique<narrator::EspeakEngine>();
    // The reply to a wrong answer. Heard whole, it holds about as much loud sound as was synthesised; without its
    // first speech, less by all of that speech's.
    const QStringList reply = {QStringLiteral("Sbagliato"), QStringLiteral("il risultato è ventuno")};
    QList<qint64> loudSamples;
    for (const QString &text : reply) {
        const QList<qint16> samples = engine->synthesise(text).samples;
        loudSamples.append(std::count_if(samples.begin(), samples.end(), MonitorRecorder::isLoud));
    }
    auto sink = std::make_unique<narrator::PcAudioSink>(engine->sampleRate());
    narrator::Agent agent(new narrator::WizardPerformer(std::move(engine), std::move(sink),
                                                        std::make_unique<narrator::SystemTimeSource>()),
                          nullptr);
    agent.characters().load(narrator::merlinName);
    narrator::Character merlin = agent.characters().item(narrator::merlinName);
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepWarnings);
    const auto restoreHandler = qScopeGuard([previous] { qInstallMessageHandler(previous); });

    if (outage == Outage::KilledDuringASpeech) {
        const MonitorRecorder recorder;
        merlin.speak(QStringLiteral("Allora attenzione, iniziamo la nostra avventura con la tabellina del 7"));
        merlin.speak(QStringLiteral("sette per tre"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.firstSoundAfter({}).has_value(), 3000);
        const auto killed = MonitorRecorder::Clock::now();
        server.kill();
        // The queue goes on: the rest of the first speech in the balloon, then the second without sound.
        QTRY_VERIFY_WITH_TIMEOUT(agent.queue()->isIdle(), 10000);
        QVERIFY(MonitorRecorder::Clock::now() - killed > 1s);
    } else {
        merlin.speak(QStringLiteral("sette per tre"));
        QTRY_VERIFY_WITH_TIMEOUT(agent.queue()->isIdle(), 10000);
    }
    if (outage == Outage::RestartedWhileSilent)
        server.kill();
    QVERIFY(server.start());

    const MonitorRecorder recorder;
    QTRY_VERIFY_WITH_TIMEOUT(recorder.listening(), 5000);
    const auto spoken = MonitorRecorder::Clock::now();
    for (const QString &text : reply)
        merlin.speak(text);
    QTRY_VERIFY_WITH_TIMEOUT(agent.queue()->isIdle(), 10000);
    // The monitor hands the last samples on a little after they played.
    QTRY_VERIFY2_WITH_TIMEOUT(recorder.loudSamplesAfter(spoken) > loudSamples[0] / 2 + loudSamples[1],
                              qPrintable(QStringLiteral("%1 loud samples heard, of %2 + %3 synthesised")
                                             .arg(recorder.loudSamplesAfter(spoken))
                                             .arg(loudSamples[0])
                                             .arg(loudSamples[1])),
                              5000);
    QCOMPARE(warnings.size(), linesOnStandardError);
}

QTEST_MAIN(TestSoundRecovery)
#include "tst_soundrecovery.moc"
