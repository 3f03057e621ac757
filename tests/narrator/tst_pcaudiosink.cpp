#include "narrator/pcaudiosink.h"

#include <QSignalSpy>
#include <QTest>

class TestPcAudioSink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutADeviceTheSinkSaysWhyAndStillFinishes();
    void eachDrainFinishesOnceEverythingBeforeItHasPlayed();
};

void TestPcAudioSink::withoutADeviceTheSinkSaysWhyAndStillFinishes()
{
    narrator::PcAudioSink sink(22050, QByteArrayLiteral("no-such-device"));
    QVERIFY(!sink.open().isEmpty());
    QSignalSpy finished(&sink, &narrator::AudioSink::finished);
    sink.write(QList<qint16>(2205, 1000));
    sink.drain();
    QVERIFY(finished.wait(1000));
    QCOMPARE(finished.size(), 1);
}

void TestPcAudioSink::eachDrainFinishesOnceEverythingBeforeItHasPlayed()
{
    // ALSA's null device takes sound as a card would, without one.
    narrator::PcAudioSink sink(22050, QByteArrayLiteral("null"));
    QCOMPARE(sink.open(), QString());
    QSignalSpy finished(&sink, &narrator::AudioSink::finished);
    sink.write(QList<qint16>(5000, 1000));
    sink.write(QList<qint16>(300, -1000));
    sink.drain();
    sink.write(QList<qint16>(22050, 500));
    sink.drain();
    QTRY_COMPARE(finished.size(), 2);
    // A third drain is the fence: a second report of an earlier drain would come before its own.
    sink.drain();
    QTRY_VERIFY(finished.size() >= 3);
    QCOMPARE(finished.size(), 3);
}

QTEST_GUILESS_MAIN(TestPcAudioSink)
#include "tst_pcaudiosink.moc"
