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
    /// Plays mono signed 16-bit sound at `sampleRate` on `device` (the desktop's default when empty).
    explicit PcAudioSink(int sampleRate, const QByteArray &device = {}, QObject *parent = nullptr);
    ~PcAudioSink() override;

    QString open() override;
    void write(const QList<qint16> &samples) override;
    void drain() override;

private:
    void playInTurn();
    void hand(std::optional<QList<qint16>> item);
    /// Closes the output and makes it anew; only while the worker has nothing to play.
    QString reopen();
    void closeDevice();

    const int m_sampleRate;
    const QByteArray m_deviceName;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    // Guarded by m_mutex. The worker uses the device only while it plays what it took from the queue.
    audio_object *m_device = nullptr;
    std::deque<std::optional<QList<qint16>>> m_waiting; ///< samples, or nothing: drain here
    bool m_playing = false;
    bool m_failed = false;   ///< the output failed and must be made anew
    bool m_dropping = false; ///< what is left of the failed speech is thrown away, up to its drain
    bool m_stopping = false;
    QString m_silence;
    std::thread m_worker;
};

} // namespace narrator
