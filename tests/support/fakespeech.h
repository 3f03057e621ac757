#pragma once

#include "narrator/audiosink.h"
#include "narrator/speechengine.h"

#include <QStringList>

/// Makes every text last 100 ms a word, one word every 100 ms, and keeps what it was asked.
class FakeSpeechEngine final : public narrator::SpeechEngine
{
public:
    explicit FakeSpeechEngine(QStringList *log) : m_log(log) {}

    narrator::Speech synthesise(const QString &text, const SoundPiece &onPiece) override
    {
        m_log->append(text);
        narrator::Speech speech = narrator::Speech::estimate(text);
        for (qsizetype i = 0; i < speech.words.size(); ++i)
            speech.words[i].atMs = int(i) * msPerWord;
        speech.durationMs = int(speech.words.size()) * msPerWord;
        speech.samples = QList<qint16>(speech.durationMs * speech.sampleRate / 1000, 1000);
        if (onPiece && speech.hasSound())
            onPiece(speech.samples);
        return speech;
    }
    QString unavailableReason() const override { return {}; }

    static constexpr int msPerWord = 100;

private:
    QStringList *m_log;
};

/// A sound output that plays nothing and finishes only when the test says so, or has no device.
class FakeAudioSink final : public narrator::AudioSink
{
public:
    explicit FakeAudioSink(QString silence = {}) : m_silence(std::move(silence)) {}

    QString open() override { return m_silence; }
    void write(const QList<qint16> &samples) override { written += samples.size(); }
    void drain() override { ++drains; }
    /// The last drained sound has been heard.
    void endPlaying() { Q_EMIT finished(); }

    qsizetype written = 0; ///< samples handed over
    int drains = 0;

private:
    QString m_silence;
};
