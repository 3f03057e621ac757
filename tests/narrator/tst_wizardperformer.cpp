#include "narrator/agent.h"
#include "narrator/balloon.h"
#include "narrator/wizardart.h"
#include "narrator/wizardperformer.h"
#include "narrator/wizardwindow.h"

#include "support/faketimesource.h"
#include "support/fakespeech.h"

#include <QAccessible>
#include <QTest>

namespace {

/// The narrator as the game uses it, with time, speech and sound in the test's hands.
struct Narrator
{
    explicit Narrator(const QString &soundMissing = QStringLiteral("no sound device (test)"))
    {
        auto ownedClock = std::make_unique<FakeTimeSource>();
        auto ownedSink = std::make_unique<FakeAudioSink>(soundMissing);
        clock = ownedClock.get();
        sink = ownedSink.get();
        performer = new narrator::WizardPerformer(std::make_unique<FakeSpeechEngine>(&synthesised),
                                                  std::move(ownedSink), std::move(ownedClock));
        agent = std::make_unique<narrator::Agent>(performer, nullptr);
        agent->characters().load(narrator::merlinName);
    }

    narrator::Character merlin() { return agent->characters().item(QStringLiteral("Merlin")); }
    narrator::WizardWindow *window() const { return performer->window(); }
    bool idle() const { return agent->queue()->isIdle(); }

    QStringList synthesised;
    FakeTimeSource *clock = nullptr;
    FakeAudioSink *sink = nullptr;
    narrator::WizardPerformer *performer = nullptr;
    std::unique_ptr<narrator::Agent> agent;
};

// Gestures end on the first frame after their length.
constexpr int frameSlack = 50;

} // namespace

class TestWizardPerformer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void requestsIssuedWhileBusyWaitTheirTurnInOrder();
    void withoutSoundASpeechLastsAsLongAsItsSynthesisedSound_data();
    void withoutSoundASpeechLastsAsLongAsItsSynthesisedSound();
    void withSoundASpeechEndsWhenTheOutputHasPlayedIt();
    void theBalloonShowsEachWordWhenItIsSpoken();
    void theSpeechesOfOneHandlerStayTogetherInTheBalloonUntilTheNext_data();
    void theSpeechesOfOneHandlerStayTogetherInTheBalloonUntilTheNext();
    void eachAnimationLastsItsLengthBeforeTheNextRequest_data();
    void eachAnimationLastsItsLengthBeforeTheNextRequest();
    void everyAnimationLooksDifferent();
    void anUnknownAnimationIsAnError();
    void showMakesTheWizardAppearBeforeTheNextRequest();
    void moveToGlidesTheTopLeftCornerToTheScreenPixels();
    void moveToCountsFromTheStageOrigin();
    void heightSetsTheDrawnHeightAndTheWidthFollowsTheArtwork();
    void missingSoundIsReportedOnceOnStandardError();
};

void TestWizardPerformer::requestsIssuedWhileBusyWaitTheirTurnInOrder()
{
    Narrator narrator;
    narrator::Character merlin = narrator.merlin();
    merlin.speak(QStringLiteral("sette per tre"));
    merlin.speak(QStringLiteral("ventuno"));
    merlin.play(QStringLiteral("Greet"));
    merlin.speak(QStringLiteral("bravo"));
    QCOMPARE(narrator.synthesised, QStringList{"sette per tre"});

    narrator.clock->advance(3 * FakeSpeechEngine::msPerWord - 1);
    QCOMPARE(narrator.synthesised, QStringList{"sette per tre"});
    narrator.clock->advance(1);
    QCOMPARE(narrator.synthesised, (QStringList{"sette per tre", "ventuno"}));
    narrator.clock->advance(FakeSpeechEngine::msPerWord);
    QCOMPARE(narrator.window()->gesture(), narrator::Gesture::Greet);
    narrator.clock->advance(narrator::gestureDurationMs(narrator::Gesture::Greet) + frameSlack);
    QCOMPARE(narrator.synthesised, (QStringList{"sette per tre", "ventuno", "bravo"}));
    QVERIFY(!narrator.idle());
    narrator.clock->advance(FakeSpeechEngine::msPerWord);
    QVERIFY(narrator.idle());
}

void TestWizardPerformer::withoutSoundASpeechLastsAsLongAsItsSynthesisedSound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("durationMs");
    QTest::newRow("one word") << QStringLiteral("sette") << FakeSpeechEngine::msPerWord;
    QTest::newRow("three words") << QStringLiteral("7 per tre") << 3 * FakeSpeechEngine::msPerWord;
    QTest::newRow("nothing to say ends at once") << QString() << 0;
}

void TestWizardPerformer::withoutSoundASpeechLastsAsLongAsItsSynthesisedSound()
{
    QFETCH(QString, text);
    QFETCH(int, durationMs);
    Narrator narrator;
    narrator.merlin().speak(text);
    narrator.clock->advance(std::max(0, durationMs - 1));
    QCOMPARE(narrator.idle(), durationMs == 0);
    narrator.clock->advance(1);
    QVERIFY(narrator.idle());
    QCOMPARE(narrator.sink->written, 0);
}

void TestWizardPerformer::withSoundASpeechEndsWhenTheOutputHasPlayedIt()
{
    Narrator narrator{QString()};
    narrator.merlin().speak(QStringLiteral("sette per tre"));
    QCOMPARE(narrator.sink->written, 3 * FakeSpeechEngine::msPerWord * 22050 / 1000);
    QCOMPARE(narrator.sink->drains, 1);
    // A slow sound card is waited for: the sound, not the clock, says when the speech is over.
    narrator.clock->advance(5000);
    QVERIFY(!narrator.idle());
    narrator.sink->endPlaying();
    QVERIFY(narrator.idle());
}

void TestWizardPerformer::theBalloonShowsEachWordWhenItIsSpoken()
{
    Narrator narrator;
    narrator.merlin().speak(QStringLiteral("sette per tre"));
    narrator::Balloon *balloon = narrator.window()->balloon();
    QVERIFY(balloon->isVisible());
    QCOMPARE(balloon->text(), QStringLiteral("sette"));
    narrator.clock->advance(FakeSpeechEngine::msPerWord + frameSlack);
    QCOMPARE(balloon->text(), QStringLiteral("sette per"));
    narrator.clock->advance(FakeSpeechEngine::msPerWord * 2);
    QCOMPARE(balloon->text(), QStringLiteral("sette per tre"));
    // A screen reader reads what the wizard says.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(balloon);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("sette per tre"));
}

void TestWizardPerformer::theSpeechesOfOneHandlerStayTogetherInTheBalloonUntilTheNext_data()
{
    QTest::addColumn<QStringList>("speeches");
    QTest::addColumn<QString>("caption");
    QTest::newRow("the dictation reads whole") << QStringList{"7", "per", "tre"} << QStringLiteral("7 per tre");
    QTest::newRow("a name shows as typed, never as markup")
        << QStringList{"Bravo", "<h1>Eve</h1>"} << QStringLiteral("Bravo <h1>Eve</h1>");
}

void TestWizardPerformer::theSpeechesOfOneHandlerStayTogetherInTheBalloonUntilTheNext()
{
    QFETCH(QStringList, speeches);
    QFETCH(QString, caption);
    Narrator narrator;
    narrator::Character merlin = narrator.merlin();
    merlin.show();
    for (const QString &speech : speeches)
        merlin.speak(speech);
    narrator.clock->advance(10000);
    narrator::Balloon *balloon = narrator.window()->balloon();
    QVERIFY(balloon->isVisible());
    QCOMPARE(balloon->text(), caption);
    QCOMPARE(QAccessible::queryAccessibleInterface(balloon)->text(QAccessible::Name), caption);

    // The next handler opens with Show: what it says starts a caption of its own.
    merlin.show();
    merlin.speak(QStringLiteral("Sbagliato"));
    QCOMPARE(balloon->text(), QStringLiteral("Sbagliato"));
}

void TestWizardPerformer::eachAnimationLastsItsLengthBeforeTheNextRequest_data()
{
    QTest::addColumn<QString>("animation");
    QTest::addColumn<narrator::Gesture>("gesture");
    QTest::newRow("Announce at start-up") << QStringLiteral("Announce") << narrator::Gesture::Announce;
    QTest::newRow("Greet before each exercise") << QStringLiteral("Greet") << narrator::Gesture::Greet;
    QTest::newRow("congratulate a right answer") << QStringLiteral("congratulate") << narrator::Gesture::Congratulate;
    QTest::newRow("domagic1 a right answer") << QStringLiteral("domagic1") << narrator::Gesture::DoMagic1;
    QTest::newRow("domagic2 a right answer") << QStringLiteral("domagic2") << narrator::Gesture::DoMagic2;
}

void TestWizardPerformer::eachAnimationLastsItsLengthBeforeTheNextRequest()
{
    QFETCH(QString, animation);
    QFETCH(narrator::Gesture, gesture);
    Narrator narrator;
    narrator::Character merlin = narrator.merlin();
    merlin.play(animation);
    merlin.speak(QStringLiteral("dopo"));
    QCOMPARE(narrator.window()->gesture(), gesture);
    const int length = narrator::gestureDurationMs(gesture);
    QVERIFY(length >= 200 && length <= 2000);
    narrator.clock->advance(length - 1);
    QVERIFY(narrator.synthesised.isEmpty());
    narrator.clock->advance(frameSlack);
    QCOMPARE(narrator.synthesised, QStringList{"dopo"});
    QCOMPARE(narrator.window()->gesture(), narrator::Gesture::Idle);
}

void TestWizardPerformer::everyAnimationLooksDifferent()
{
    // Halfway through, each named animation shows a picture of its own, and none is the idle one.
    narrator::WizardArt art;
    art.setHeight(205, 1);
    const QList<narrator::Gesture> gestures = {narrator::Gesture::Idle,     narrator::Gesture::Announce,
                                               narrator::Gesture::Greet,    narrator::Gesture::Congratulate,
                                               narrator::Gesture::DoMagic1, narrator::Gesture::DoMagic2};
    QList<QImage> pictures;
    for (narrator::Gesture gesture : gestures) {
        const int halfway = narrator::gestureDurationMs(gesture) * 4 / 10;
        pictures.append(art.render(narrator::poseAt(gesture, halfway, 1000, false)));
    }
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        for (qsizetype j = i + 1; j < pictures.size(); ++j)
            QVERIFY2(pictures[i] != pictures[j],
                     qPrintable(QStringLiteral("gestures %1 and %2 look alike").arg(i).arg(j)));
    }
}

void TestWizardPerformer::anUnknownAnimationIsAnError()
{
    Narrator narrator;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, narrator.merlin().play(QStringLiteral("Dance")));
}

void TestWizardPerformer::showMakesTheWizardAppearBeforeTheNextRequest()
{
    Narrator narrator;
    narrator::Character merlin = narrator.merlin();
    QVERIFY(!narrator.window()->isVisible());
    merlin.show();
    merlin.speak(QStringLiteral("eccomi"));
    QVERIFY(narrator.window()->isVisible());
    QCOMPARE(narrator.window()->gesture(), narrator::Gesture::Appear);
    narrator.clock->advance(narrator::gestureDurationMs(narrator::Gesture::Appear) - 1);
    QVERIFY(narrator.synthesised.isEmpty());
    narrator.clock->advance(frameSlack);
    QCOMPARE(narrator.synthesised, QStringList{"eccomi"});

    // Each handler opens with Show again; a wizard already there does not appear a second time.
    narrator.clock->advance(FakeSpeechEngine::msPerWord);
    merlin.show();
    QVERIFY(narrator.idle());
}

void TestWizardPerformer::moveToGlidesTheTopLeftCornerToTheScreenPixels()
{
    Narrator narrator;
    narrator::Character merlin = narrator.merlin();
    merlin.show();
    narrator.clock->advance(1000);
    const QPoint from = narrator.window()->pos();
    merlin.moveTo(from.x() + 300, from.y() + 200);
    narrator.clock->advance(200);
    const QPoint halfway = narrator.window()->pos();
    QVERIFY(halfway.x() > from.x() && halfway.x() < from.x() + 300);
    QVERIFY(!narrator.idle());
    narrator.clock->advance(1000 + frameSlack);
    QVERIFY(narrator.idle());
    QCOMPARE(narrator.window()->frameGeometry().topLeft(), from + QPoint(300, 200));
}

void TestWizardPerformer::moveToCountsFromTheStageOrigin()
{
    Narrator narrator;
    narrator.performer->setStageOrigin([] { return QPoint(240, 130); });
    narrator::Character merlin = narrator.merlin();
    merlin.moveTo(250, 175);
    narrator.clock->advance(2000);
    QVERIFY(narrator.idle());
    QCOMPARE(narrator.window()->frameGeometry().topLeft(), QPoint(490, 305));
}

void TestWizardPerformer::heightSetsTheDrawnHeightAndTheWidthFollowsTheArtwork()
{
    Narrator narrator;
    narrator::Character merlin = narrator.merlin();
    merlin.setHeight(300);
    QCOMPARE(narrator.window()->size(), QSize(220, 300));
    merlin.setHeight(205);
    QCOMPARE(narrator.window()->size(), QSize(150, 205));
    QVERIFY(narrator.idle());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, merlin.setHeight(0));
}

namespace {
int warnings = 0;
void countWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("quorvane:")))
        ++warnings;
}
} // namespace

void TestWizardPerformer::missingSoundIsReportedOnceOnStandardError()
{
    warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countWarnings);
    {
        Narrator narrator;
        narrator.merlin().speak(QStringLiteral("sette"));
        narrator.merlin().speak(QStringLiteral("otto"));
        narrator.clock->advance(1000);
    }
    qInstallMessageHandler(previous);
    QCOMPARE(warnings, 1);
}

QTEST_MAIN(TestWizardPerformer)
#include "tst_wizardperformer.moc"
