#pragma once

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <chrono>
#include <csignal>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

/// A PulseAudio server of its own: a private runtime directory and socket, and one null sink "rec"
/// whose monitor hears what is played. This process's sound clients are pointed at it; nothing else on
/// the machine sees it. It ends with its owner.
class SoundServer
{
public:
    SoundServer() { qputenv("PULSE_SERVER", "unix:" + socketPath().toLocal8Bit()); }
    ~SoundServer() { kill(); }
    SoundServer(const SoundServer &) = delete;
    SoundServer &operator=(const SoundServer &) = delete;

    /// Starts the server and waits until it takes clients; false when it would not start.
    bool start()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        m_server.setProcessEnvironment(environment);
        m_server.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start(QStringLiteral("pulseaudio"),
                       {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                        QStringLiteral("--use-pid-file=no"), QStringLiteral("--disallow-module-loading"),
                        QStringLiteral("-L"),
                        QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + socketPath(),
                        QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=rec")});
        if (!m_server.waitForStarted(5000))
            return false;
        for (int attempt = 0; attempt < 100; ++attempt) {
            QProcess info;
            info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
            if (info.waitForFinished(2000) && info.exitCode() == 0)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    /// Ends the server at once, as a crash would.
    void kill()
    {
        if (m_server.state() == QProcess::NotRunning)
            return;
        m_server.kill();
        m_server.waitForFinished(5000);
    }

    QString socketPath() const { return m_dir.filePath(QStringLiteral("native")); }

private:
    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/sound.XXXXXX")};
    QProcess m_server;
};

/// Records the null sink's monitor through parec, noting when each loud sample arrived.
class MonitorRecorder
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int sampleRate = 22050;

    MonitorRecorder()
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        const char *arguments[] = {"parec",        "--device=rec.monitor", "--raw", "--format=s16le", "--rate=22050",
                                   "--channels=1", "--latency-msec=5",     nullptr};
        if (posix_spawnp(&m_pid, "parec", &actions, nullptr, const_cast<char **>(arguments), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        m_reader = std::thread([this, fd = pipeEnds[0]] { readUntilTheEnd(fd); });
    }
    ~MonitorRecorder()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_reader.joinable())
            m_reader.join();
    }
    MonitorRecorder(const MonitorRecorder &) = delete;
    MonitorRecorder &operator=(const MonitorRecorder &) = delete;

    /// When the first sound louder than the hiss of silence arrived after `since`, if it has.
    std::optional<Clock::time_point> firstSoundAfter(Clock::time_point since) const
    {
        std::lock_guard lock(m_mutex);
        for (const Clock::time_point heard : m_loud) {
            if (heard >= since)
                return heard;
        }
        return std::nullopt;
    }
    /// Samples recorded so far, loud or not.
    qint64 samples() const { return m_samples; }

private:
    void readUntilTheEnd(int fd)
    {
        std::vector<qint16> chunk(256);
        for (;;) {
            const ssize_t got = read(fd, chunk.data(), chunk.size() * sizeof(qint16));
            if (got <= 0)
                break;
            const Clock::time_point arrived = Clock::now();
            const size_t count = size_t(got) / sizeof(qint16);
            m_samples += qint64(count);
            for (size_t i = 0; i < count; ++i) {
                if (std::abs(chunk[i]) > loud) {
                    // The sample was played as many samples before the chunk arrived as follow it.
                    std::lock_guard lock(m_mutex);
                    m_loud.push_back(arrived - std::chrono::microseconds((count - i) * 1000000 / sampleRate));
                    break;
                }
            }
        }
        close(fd);
    }

    static constexpr int loud = 300;
    pid_t m_pid = -1;
    std::thread m_reader;
    mutable std::mutex m_mutex;
    std::vector<Clock::time_point> m_loud; ///< the first loud sample of each chunk that had one
    std::atomic<qint64> m_samples = 0;
};
