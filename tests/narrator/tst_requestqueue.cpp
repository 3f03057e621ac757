#include "narrator/agent.h"
#include "narrator/requestqueue.h"

#include "support/recordingperformer.h"

#include <QTest>

namespace {

/// Finishes a request only when the test says so.
class ManualPerformer final : public narrator::Performer
{
public:
    void perform(const narrator::Request &request) override { started.append(request.describe()); }
    void finish() { Q_EMIT finished(); }
    QStringList started;
};

} // namespace

class TestRequestQueue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachRequestStartsOnlyAfterTheOneBeforeFinished();
    void aPerformerThatFinishesAtOnceKeepsTheOrder();
    void theCharacterMustBeLoadedUnderItsName();
};

void TestRequestQueue::eachRequestStartsOnlyAfterTheOneBeforeFinished()
{
    auto *performer = new ManualPerformer;
    QObject owner;
    narrator::RequestQueue queue(performer, &owner);
    queue.enqueue(narrator::Request::speak(QStringLiteral("7")));
    queue.enqueue(narrator::Request::speak(QStringLiteral("per")));
    QCOMPARE(performer->started, QStringList{"Speak 7"});
    queue.enqueue(narrator::Request::speak(QStringLiteral("tre")));
    QCOMPARE(performer->started.size(), 1);
    performer->finish();
    QCOMPARE(performer->started, (QStringList{"Speak 7", "Speak per"}));
    performer->finish();
    performer->finish();
    QCOMPARE(performer->started, (QStringList{"Speak 7", "Speak per", "Speak tre"}));
    QVERIFY(queue.isIdle());
}

void TestRequestQueue::aPerformerThatFinishesAtOnceKeepsTheOrder()
{
    auto *performer = new RecordingPerformer;
    narrator::Agent agent(performer, nullptr);
    agent.characters().load(narrator::merlinName);
    narrator::Character merlin = agent.characters().item(QStringLiteral("Merlin"));
    merlin.show();
    merlin.moveTo(250, 175);
    merlin.play(QStringLiteral("Greet"));
    merlin.setHeight(205);
    merlin.speak(QStringLiteral("7"));
    QCOMPARE(performer->log, (QStringList{"Show", "MoveTo 250 175", "Play Greet", "Height 205", "Speak 7"}));
}

void TestRequestQueue::theCharacterMustBeLoadedUnderItsName()
{
    narrator::Agent agent(new RecordingPerformer, nullptr);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, agent.characters().item(QStringLiteral("Merlin")));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, agent.characters().load(QStringLiteral("Genie")));
}

QTEST_GUILESS_MAIN(TestRequestQueue)
#include "tst_requestqueue.moc"
