#include "narrator/agent.h"
#include "narrator/ondemandperformer.h"

#include "support/recordingperformer.h"

#include <QPointer>
#include <QTest>

class TestOnDemandPerformer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingIsMadeBeforeTheFirstRequestAndOnlyOnceAfter();
    void requestsReachTheMadePerformerInOrderAndItsFinishesComeBack();
};

void TestOnDemandPerformer::nothingIsMadeBeforeTheFirstRequestAndOnlyOnceAfter()
{
    int made = 0;
    QPointer<RecordingPerformer> recorder;
    {
        narrator::Agent agent(new narrator::OnDemandPerformer([&] {
                                  ++made;
                                  recorder = new RecordingPerformer;
                                  return recorder.data();
                              }),
                              nullptr);
        agent.Characters().Load(narrator::merlinName, narrator::merlinFile);
        QCOMPARE(made, 0);
        narrator::Character merlin = agent.Characters().Item(QStringLiteral("Merlin"));
        merlin.Show();
        merlin.Speak(QStringLiteral("7"));
        QCOMPARE(made, 1);
        QVERIFY(recorder);
    }
    QVERIFY2(!recorder, "the made performer goes with the narrator");
}

void TestOnDemandPerformer::requestsReachTheMadePerformerInOrderAndItsFinishesComeBack()
{
    // The recorder finishes each request at once: the queue only moves on if that reaches it.
    RecordingPerformer *recorder = nullptr;
    narrator::Agent agent(new narrator::OnDemandPerformer([&] { return recorder = new RecordingPerformer; }), nullptr);
    agent.Characters().Load(narrator::merlinName, narrator::merlinFile);
    narrator::Character merlin = agent.Characters().Item(QStringLiteral("Merlin"));
    merlin.Show();
    merlin.MoveTo(250, 175);
    merlin.Height(205);
    merlin.Speak(QStringLiteral("ventuno"));
    QCOMPARE(recorder->log, (QStringList{"Show", "MoveTo 250 175", "Height 205", "Speak ventuno"}));
    QVERIFY(agent.queue()->isIdle());
}

QTEST_GUILESS_MAIN(TestOnDemandPerformer)
#include "tst_ondemandperformer.moc"
