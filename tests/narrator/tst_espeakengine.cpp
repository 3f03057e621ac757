#include "narrator/espeakengine.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace {

const QString introduction = QStringLiteral(
    "Allora attenzione, iniziamo la nostra avventura con la tabellina del 7. Io detto e tu scrivi il risultato "
    "nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta che io finisca di "
    "parlare e premi ancora invio per avere la domanda successiva");

QStringList wordsOf(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

} // namespace

class TestEspeakEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void speechIsAudibleAndLastsAsLongAsTheWords_data();
    void speechIsAudibleAndLastsAsLongAsTheWords();
    void everyWordHasOneEventAtItsPlaceInTheTextAndTheSound_data();
    void everyWordHasOneEventAtItsPlaceInTheTextAndTheSound();
};

void TestEspeakEngine::initTestCase()
{
    narrator::EspeakEngine engine;
    if (!engine.unavailableReason().isEmpty())
        QFAIL(qPrintable(engine.unavailableReason()));
    QCOMPARE(engine.sampleRate(), 22050);
}

void TestEspeakEngine::speechIsAudibleAndLastsAsLongAsTheWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("shortestMs");
    QTest::addColumn<int>("longestMs");
    QTest::newRow("one word is a fraction of a second") << QStringLiteral("sette") << 200 << 2000;
    QTest::newRow("a dictated exercise is about a second") << QStringLiteral("7 per tre") << 500 << 2500;
    QTest::newRow("the introduction takes several seconds") << introduction << 10000 << 30000;
}

void TestEspeakEngine::speechIsAudibleAndLastsAsLongAsTheWords()
{
    QFETCH(QString, text);
    QFETCH(int, shortestMs);
    QFETCH(int, longestMs);
    narrator::EspeakEngine engine;
    const narrator::Speech speech = engine.synthesise(text);

    QVERIFY(speech.hasSound());
    QCOMPARE(speech.durationMs, int(speech.samples.size() * 1000 / speech.sampleRate));
    QVERIFY2(speech.durationMs >= shortestMs && speech.durationMs <= longestMs,
             qPrintable(QString::number(speech.durationMs)));
    const auto [quietest, loudest] = std::minmax_element(speech.samples.cbegin(), speech.samples.cend());
    QVERIFY2(*loudest > 3000 && *quietest < -3000, "the sound is near silence");
}

void TestEspeakEngine::everyWordHasOneEventAtItsPlaceInTheTextAndTheSound_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("one word") << QStringLiteral("sette");
    QTest::newRow("a digit is a word too") << QStringLiteral("7 per tre");
    QTest::newRow("accented letters count as one character") << QStringLiteral("Però è già così");
    QTest::newRow("the introduction") << introduction;
}

void TestEspeakEngine::everyWordHasOneEventAtItsPlaceInTheTextAndTheSound()
{
    QFETCH(QString, text);
    narrator::EspeakEngine engine;
    const narrator::Speech speech = engine.synthesise(text);

    const QStringList expected = wordsOf(text);
    QCOMPARE(speech.words.size(), expected.size());
    int previousMs = -1;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const narrator::SpokenWord &word = speech.words[i];
        // A word's place in the text may leave out the punctuation that follows it.
        QVERIFY2(expected[i].startsWith(text.mid(word.position, word.length)) && word.length > 0,
                 qPrintable(expected[i] + " / " + text.mid(word.position, word.length)));
        QVERIFY(word.atMs > previousMs);
        QVERIFY(word.atMs < speech.durationMs);
        previousMs = word.atMs;
    }
    QCOMPARE(speech.textOfWords(expected.size()), text);
}

QTEST_GUILESS_MAIN(TestEspeakEngine)
#include "tst_espeakengine.moc"
