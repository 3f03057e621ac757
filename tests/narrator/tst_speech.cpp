#include "narrator/pose.h"
#include "narrator/speech.h"

#include <QTest>

class TestSpeech : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theBalloonTextGrowsWordByWordWithTheSound_data();
    void theBalloonTextGrowsWordByWordWithTheSound();
    void anEstimatedSpeechPacesEveryWordWithinItsLength_data();
    void anEstimatedSpeechPacesEveryWordWithinItsLength();
    void theMouthMovesOnlyWhileSpeaking();
};

void TestSpeech::theBalloonTextGrowsWordByWordWithTheSound_data()
{
    QTest::addColumn<int>("ms");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing before the first word") << 0 << QString();
    QTest::newRow("a word appears when its sound begins") << 100 << QStringLiteral("Sette");
    QTest::newRow("punctuation after a word waits for the next") << 450 << QStringLiteral("Sette per");
    QTest::newRow("the last word brings the rest of the text") << 900 << QStringLiteral("Sette per tre, bravo!");
}

void TestSpeech::theBalloonTextGrowsWordByWordWithTheSound()
{
    QFETCH(int, ms);
    QFETCH(QString, shown);
    narrator::Speech speech;
    speech.text = QStringLiteral(" Sette per tre, bravo! ");
    // Where espeak-ng puts the words: the punctuation is left outside them.
    speech.words = {{100, 1, 5}, {400, 7, 3}, {600, 11, 3}, {800, 16, 5}};
    speech.durationMs = 1000;
    QCOMPARE(speech.textOfWords(speech.wordsBegunBy(ms)), shown);
}

void TestSpeech::anEstimatedSpeechPacesEveryWordWithinItsLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("words");
    QTest::newRow("one word") << QStringLiteral("sette") << 1;
    QTest::newRow("blanks do not make words") << QStringLiteral("  7   per tre ") << 3;
    QTest::newRow("nothing lasts no time") << QStringLiteral("   ") << 0;
}

void TestSpeech::anEstimatedSpeechPacesEveryWordWithinItsLength()
{
    QFETCH(QString, text);
    QFETCH(int, words);
    const narrator::Speech speech = narrator::Speech::estimate(text);
    QVERIFY(!speech.hasSound());
    QCOMPARE(speech.words.size(), words);
    QCOMPARE(speech.durationMs > 0, words > 0);
    int previous = -1;
    for (const narrator::SpokenWord &word : speech.words) {
        QVERIFY(word.atMs > previous && word.atMs < speech.durationMs);
        QVERIFY(!text.mid(word.position, word.length).contains(QLatin1Char(' ')));
        previous = word.atMs;
    }
    QCOMPARE(speech.textOfWords(words), text.trimmed());
}

void TestSpeech::theMouthMovesOnlyWhileSpeaking()
{
    bool opened = false;
    bool closed = false;
    for (qint64 ms = 0; ms < 2000; ms += 10) {
        QVERIFY(!narrator::poseAt(narrator::Gesture::Idle, 0, ms, false).mouthOpen);
        const bool open = narrator::poseAt(narrator::Gesture::Idle, 0, ms, true).mouthOpen;
        opened = opened || open;
        closed = closed || !open;
    }
    QVERIFY(opened && closed);
}

QTEST_GUILESS_MAIN(TestSpeech)
#include "tst_speech.moc"
