#pragma once

#include "narrator/audiosink.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

struct audio_object;

namespace narrator {

/// The desktop's sound output through libpcaudio. Writing blocks for as long as the sound
/// plays, so a worker thread of its own does it; the game's thread only hands buffers over.
class PcAudioSink final : public AudioSink
{
    Q_OBJECT
public:
    /// Opens the output `device` (the desktop's default when empty) for mono signed 16-bit sound at `sampleRate`.
    explicit PcAudioSink(int sampleRate, const QByteArray &device = {}, QObject *parent = nullptr);
    ~PcAudioSink() override;

    QString silenceReason() const override { return m_silence; }
    void write(const QList<qint16> &samples) override;
    void drain() override;

private:
    void playInTurn();
    void hand(std::optional<QList<qint16>> item);

    audio_object *m_device = nullptr;
    QString m_silence;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::optional<QList<qint16>>> m_waiting; ///< samples, or nothing: drain here
    bool m_stopping = false;
    std::thread m_worker;
};

} // namespace narrator
