#include "narrator/pcaudiosink.h"

#include <pcaudiolib/audio.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace narrator {

namespace {

// Small slices keep the worker quick to notice that the program is closing.
constexpr qsizetype samplesPerWrite = 2048;

/// Sends standard error to /dev/null while it lives. Without a sound card ALSA prints a page of
/// its own complaints; the narrator says why there is no sound in one line instead.
class QuietStandardError
{
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        const int nowhere = ::open("/dev/null", O_WRONLY);
        if (nowhere >= 0) {
            dup2(nowhere, STDERR_FILENO);
            close(nowhere);
        }
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
        }
    }
    QuietStandardError(const QuietStandardError &) = delete;
    QuietStandardError &operator=(const QuietStandardError &) = delete;

private:
    int m_saved = -1;
};

} // namespace

PcAudioSink::PcAudioSink(int sampleRate, const QByteArray &device, QObject *parent)
    : AudioSink(parent), m_sampleRate(sampleRate), m_deviceName(device),
      m_worker([this](std::stop_token stop) { playInTurn(std::move(stop)); })
{}

PcAudioSink::~PcAudioSink()
{
    // The worker first: it may be writing to the device.
    m_worker.request_stop();
    m_worker.join();
    closeDevice();
}

QString PcAudioSink::open()
{
    State state = State::Closed;
    {
        std::lock_guard lock(m_mutex);
        // Still playing, or still throwing the rest of a failed speech away: the device is the worker's.
        if (!m_queue.empty())
            return m_silence;
        state = m_state;
    }
    // The worker waits for sound that only this thread hands over: the device is this thread's now.
    if (state == State::Open && stillAnswers())
        return {};
    return reopen();
}

bool PcAudioSink::stillAnswers()
{
    // Asks the server to throw away the sound it holds for us, which is none now: a connection that died says so
    // at once, a live one answers within milliseconds, and nothing is lost.
    return audio_object_flush(m_device) == 0;
}

QString PcAudioSink::reopen()
{
    closeDevice();
    audio_object *device = nullptr;
    int error = 0;
    {
        const QuietStandardError quiet;
        // Made anew each time: the sound server that is back may not be the one that was there before.
        device = create_audio_device_object(m_deviceName.isEmpty() ? nullptr : m_deviceName.constData(), "quorvane",
                                            "Merlin");
        if (device)
            error = audio_object_open(device, AUDIO_OBJECT_FORMAT_S16LE, uint32_t(m_sampleRate), 1);
    }
    QString silence;
    if (!device) {
        silence = QStringLiteral("no sound output could be created");
    } else if (error != 0) {
        silence =
            QStringLiteral("no sound device (%1)").arg(QString::fromLocal8Bit(audio_object_strerror(device, error)));
        audio_object_destroy(device);
        device = nullptr;
    }
    std::lock_guard lock(m_mutex);
    m_device = device;
    m_state = device ? State::Open : State::Closed;
    m_silence = silence;
    return silence;
}

void PcAudioSink::closeDevice()
{
    audio_object *device = nullptr;
    {
        std::lock_guard lock(m_mutex);
        device = std::exchange(m_device, nullptr);
    }
    if (device) {
        audio_object_close(device);
        audio_object_destroy(device);
    }
}

void PcAudioSink::write(const QList<qint16> &samples)
{
    hand({Item::Kind::Samples, samples});
}

void PcAudioSink::drain()
{
    hand({Item::Kind::Drain, {}});
}

void PcAudioSink::hand(Item item)
{
    // Queued whatever the state: in turn, the worker plays it, or throws it away and ends a drain at once.
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(item));
    }
    m_wake.notify_one();
}

void PcAudioSink::playInTurn(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    while (m_wake.wait(lock, stop, [this] { return !m_queue.empty(); })) {
        const Item item = m_queue.front(); // the samples are shared, not copied
        const State state = m_state;
        audio_object *device = m_device;
        lock.unlock();
        const int error = state == State::Open ? play(item, device, stop) : 0;
        lock.lock();
        if (stop.stop_requested())
            return;
        m_queue.pop_front();
        settle(item, state, device, error);
    }
}

int PcAudioSink::play(const Item &item, audio_object *device, const std::stop_token &stop)
{
    if (item.kind == Item::Kind::Drain)
        return audio_object_drain(device);
    int error = 0;
    for (qsizetype at = 0; error == 0 && at < item.samples.size() && !stop.stop_requested(); at += samplesPerWrite) {
        const qsizetype count = std::min(samplesPerWrite, item.samples.size() - at);
        error = audio_object_write(device, item.samples.constData() + at, size_t(count) * sizeof(qint16));
    }
    return error;
}

void PcAudioSink::settle(const Item &item, State state, audio_object *device, int error)
{
    const bool drain = item.kind == Item::Kind::Drain;
    // Signals are queued to the sink's own thread, and dropped if the sink is gone by then.
    if (error != 0) {
        // A failed drain was already the end of its speech.
        m_state = drain ? State::Failed : State::Dropping;
        m_silence = QString::fromLocal8Bit(audio_object_strerror(device, error));
        QMetaObject::invokeMethod(
            this, [this, why = m_silence] { Q_EMIT failed(why); }, Qt::QueuedConnection);
    } else if (drain && state == State::Dropping) {
        // The failure was told: what is left of the speech goes on without sound.
        m_state = State::Failed;
    } else if (drain) {
        // Heard, or never to be heard: either way the sound before it is over.
        QMetaObject::invokeMethod(this, &AudioSink::finished, Qt::QueuedConnection);
    }
}

} // namespace narrator
