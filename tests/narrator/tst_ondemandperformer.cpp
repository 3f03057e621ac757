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
        agent.characters().load(narrator::merlinName);
        QCOMPARE(made, 0);
        narrator::Character merlin = agent.characters().item(QStringLiteral("Merlin"));
        merlin.show();
        merlin.speak(QStringLiteral("7"));
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
    agent.characters().load(narrator::merlinName);
    narrator::Character merlin = agent.characters().item(QStringLiteral("Merlin"));
    merlin.show();
    merlin.moveTo(250, 175);
    merlin.setHeight(205);
    merlin.speak(QStringLiteral("ventuno"));
    QCOMPARE(recorder->log, (QStringList{"Show", "MoveTo 250 175", "Height 205", "Speak ventuno"}));
    QVERIFY(agent.queue()->isIdle());
}

QTEST_GUILESS_MAIN(TestOnDemandPerformer)
#include "tst_ondemandperformer.moc"
