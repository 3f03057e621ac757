#include "narrator/pcaudiosink.h"

#include <pcaudiolib/audio.h>

#include <cstdio>

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

PcAudioSink::PcAudioSink(int sampleRate, const QByteArray &device, QObject *parent) : AudioSink(parent)
{
    int error = 0;
    {
        const QuietStandardError quiet;
        m_device = create_audio_device_object(device.isEmpty() ? nullptr : device.constData(), "quorvane", "Merlin");
        if (m_device)
            error = audio_object_open(m_device, AUDIO_OBJECT_FORMAT_S16LE, uint32_t(sampleRate), 1);
    }
    if (!m_device) {
        m_silence = QStringLiteral("no sound output could be created");
        return;
    }
    if (error != 0) {
        m_silence =
            QStringLiteral("no sound device (%1)").arg(QString::fromLocal8Bit(audio_object_strerror(m_device, error)));
        audio_object_destroy(m_device);
        m_device = nullptr;
        return;
    }
    m_worker = std::thread(&PcAudioSink::playInTurn, this);
}

PcAudioSink::~PcAudioSink()
{
    if (!m_device)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_worker.join();
    audio_object_close(m_device);
    audio_object_destroy(m_device);
}

void PcAudioSink::write(const QList<qint16> &samples)
{
    hand(samples);
}

void PcAudioSink::drain()
{
    if (!m_device) {
        QMetaObject::invokeMethod(this, &AudioSink::finished, Qt::QueuedConnection);
        return;
    }
    hand(std::nullopt);
}

void PcAudioSink::hand(std::optional<QList<qint16>> item)
{
    if (!m_device)
        return;
    {
        std::lock_guard lock(m_mutex);
        m_waiting.push_back(std::move(item));
    }
    m_wake.notify_one();
}

void PcAudioSink::playInTurn()
{
    for (;;) {
        std::optional<QList<qint16>> item;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
            if (m_stopping)
                return;
            item = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        if (!item) {
            audio_object_drain(m_device);
            // Queued to the sink's own thread; dropped if the sink is gone by then.
            QMetaObject::invokeMethod(this, &AudioSink::finished, Qt::QueuedConnection);
            continue;
        }
        const QList<qint16> &samples = *item;
        for (qsizetype at = 0; at < samples.size(); at += samplesPerWrite) {
            if (std::lock_guard lock(m_mutex); m_stopping)
                return;
            const qsizetype count = std::min(samplesPerWrite, samples.size() - at);
            audio_object_write(m_device, samples.constData() + at, size_t(count) * sizeof(qint16));
        }
    }
}

} // namespace narrator
