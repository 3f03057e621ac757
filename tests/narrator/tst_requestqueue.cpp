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
    agent.Characters().Load(narrator::merlinName, narrator::merlinFile);
    narrator::Character merlin = agent.Characters().Item(QStringLiteral("Merlin"));
    merlin.Show();
    merlin.MoveTo(250, 175);
    merlin.Play(QStringLiteral("Greet"));
    merlin.Height(205);
    merlin.Speak(QStringLiteral("7"));
    QCOMPARE(performer->log, (QStringList{"Show", "MoveTo 250 175", "Play Greet", "Height 205", "Speak 7"}));
}

void TestRequestQueue::theCharacterMustBeLoadedUnderItsName()
{
    narrator::Agent agent(new RecordingPerformer, nullptr);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, agent.Characters().Item(QStringLiteral("Merlin")));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             agent.Characters().Load(QStringLiteral("Genie"), QStringLiteral("Genie.acs")));
}

QTEST_GUILESS_MAIN(TestRequestQueue)
#include "tst_requestqueue.moc"
