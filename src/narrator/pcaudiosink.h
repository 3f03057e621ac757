#pragma once

#include "narrator/audiosink.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <stop_token>
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

    /// Also finds a connection that died while nothing played (the sound server restarted), and makes it anew,
    /// so that the speech about to be written is heard from its first word.
    QString open() override;
    void write(const QList<qint16> &samples) override;
    void drain() override;

private:
    enum class State
    {
        Closed,  ///< no output: not made yet, or none could be made
        Open,    ///< what is handed over plays
        Failed,  ///< the output broke down; it is made anew at the next open()
        Dropping ///< it broke down in the middle of a speech, whose rest is thrown away up to its drain
    };
    /// What the worker is handed, in order: sound, or the end of a speech.
    struct Item
    {
        enum class Kind
        {
            Samples,
            Drain
        };
        Kind kind;
        QList<qint16> samples;
    };

    void hand(Item item);
    void playInTurn(std::stop_token stop);
    /// Plays or drains one item; libpcaudio's error, 0 when it went well.
    int play(const Item &item, audio_object *device, const std::stop_token &stop);
    /// Moves on once the worker is done with `item`, which it took in `state`.
    void settle(const Item &item, State state, audio_object *device, int error);
    /// Whether the open output still reaches the sound server; only while the worker has nothing to play.
    bool stillAnswers();
    /// Closes the output and makes it anew; only while the worker has nothing to play.
    QString reopen();
    void closeDevice();

    const int m_sampleRate;
    const QByteArray m_deviceName;
    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    // Guarded by m_mutex. The worker keeps the item it plays at the queue's front until it is done with it, so the
    // game's thread may use the device, and change the state, only while the queue is empty.
    audio_object *m_device = nullptr;
    State m_state = State::Closed;
    std::deque<Item> m_queue;
    QString m_silence = QStringLiteral("the sound output is not open yet"); ///< why there is no sound; empty while open
    std::jthread m_worker;
};

} // namespace narrator
