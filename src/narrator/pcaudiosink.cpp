#include "narrator/pcaudiosink.h"

#include <pcaudiolib/audio.h>

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
    : AudioSink(parent), m_sampleRate(sampleRate), m_deviceName(device), m_worker(&PcAudioSink::playInTurn, this)
{}

PcAudioSink::~PcAudioSink()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_worker.join();
    closeDevice();
}

QString PcAudioSink::open()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_device && !m_failed)
            return {};
        // The rest of a failed speech is still being thrown away: this speech goes without sound.
        if (m_playing || !m_waiting.empty())
            return m_silence;
    }
    // The worker waits for sound that only this thread hands over: the device is this thread's now.
    return reopen();
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
    m_failed = false;
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
    hand(samples);
}

void PcAudioSink::drain()
{
    hand(std::nullopt);
}

void PcAudioSink::hand(std::optional<QList<qint16>> item)
{
    {
        std::lock_guard lock(m_mutex);
        const bool playable = m_device && !m_failed;
        if (playable || m_dropping) {
            m_waiting.push_back(std::move(item));
            m_wake.notify_one();
            return;
        }
    }
    // Nothing to play it on: a drain is over at once.
    if (!item)
        QMetaObject::invokeMethod(this, &AudioSink::finished, Qt::QueuedConnection);
}

void PcAudioSink::playInTurn()
{
    for (;;) {
        std::optional<QList<qint16>> item;
        audio_object *device = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_playing = false;
            m_wake.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_stopping)
                return;
            item = std::move(m_waiting.front());
            m_waiting.pop_front();
            if (m_dropping) {
                m_dropping = item.has_value();
                continue;
            }
            m_playing = true;
            device = m_device;
        }
        int error = item ? 0 : audio_object_drain(device);
        for (qsizetype at = 0; item && error == 0 && at < item->size(); at += samplesPerWrite) {
            if (std::lock_guard lock(m_mutex); m_stopping)
                return;
            const qsizetype count = std::min(samplesPerWrite, item->size() - at);
            error = audio_object_write(device, item->constData() + at, size_t(count) * sizeof(qint16));
        }
        // Queued to the sink's own thread; dropped if the sink is gone by then.
        if (error != 0) {
            const QString why = QString::fromLocal8Bit(audio_object_strerror(device, error));
            {
                std::lock_guard lock(m_mutex);
                m_failed = true;
                m_dropping = item.has_value(); // a failed drain was already the end of its speech
            }
            QMetaObject::invokeMethod(
                this, [this, why] { Q_EMIT failed(why); }, Qt::QueuedConnection);
        } else if (!item) {
            QMetaObject::invokeMethod(this, &AudioSink::finished, Qt::QueuedConnection);
        }
    }
}

} // namespace narrator
