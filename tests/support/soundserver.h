#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

/// A sound server of its own: PulseAudio, or PipeWire (its core, the WirePlumber session manager and its PulseAudio
/// server) with a private runtime, configuration and state directory, and one null sink "rec", the default, whose
/// monitor hears what is played. This process's sound clients are pointed at it once it starts; nothing else on the
/// machine sees it. It ends with its owner.
class SoundServer
{
public:
    enum class Kind
    {
        PulseAudio,
        PipeWire
    };

    explicit SoundServer(Kind kind = Kind::PulseAudio) : m_kind(kind)
    {
        pointClientsHere();
        // Only the null sink: no sound card, camera or Bluetooth device of the machine's own.
        writeFile(QStringLiteral("config/wireplumber/main.lua.d/51-private.lua"),
                  "alsa_monitor.enabled = false\nv4l2_monitor.enabled = false\nlibcamera_monitor.enabled = false\n");
        writeFile(QStringLiteral("config/wireplumber/bluetooth.lua.d/51-private.lua"),
                  "bluez_monitor.enabled = false\n");
    }
    ~SoundServer()
    {
        for (QProcess &process : m_processes)
            end(process);
    }
    SoundServer(const SoundServer &) = delete;
    SoundServer &operator=(const SoundServer &) = delete;

    /// Whether the machine has this server; the other one is never installed for a test.
    static bool isInstalled(Kind kind)
    {
        return !QStandardPaths::findExecutable(kind == Kind::PipeWire ? QStringLiteral("pipewire-pulse")
                                                                      : QStringLiteral("pulseaudio"))
                    .isEmpty();
    }
    static const char *name(Kind kind) { return kind == Kind::PipeWire ? "PipeWire" : "PulseAudio"; }

    /// Starts whatever part of the server is not running (at first, or after kill()), loads the null sink and waits
    /// until it is the default; false when that does not happen.
    bool start()
    {
        pointClientsHere();
        if (m_kind == Kind::PulseAudio) {
            launch(m_processes[0], QStringLiteral("pulseaudio"),
                   {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("--use-pid-file=no"), QStringLiteral("-L"),
                    QStringLiteral("module-native-protocol-unix auth-anonymous=1")});
        } else {
            // WirePlumber will not run without a session bus.
            launch(m_processes[3], QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                    QStringLiteral("--address=") + QString::fromLocal8Bit(busAddress())});
            launch(m_processes[0], QStringLiteral("pipewire"), {});
            // The others leave at once when they find no core to connect to; a killed core leaves its socket file
            // behind, so only a connection tells that the new one listens.
            retry([this] { return listening(m_dir.filePath(QStringLiteral("pipewire-0"))); });
            launch(m_processes[1], QStringLiteral("wireplumber"), {});
            launch(m_processes[2], QStringLiteral("pipewire-pulse"), {});
        }
        return retry([] { return pactl({QStringLiteral("info")}); }) &&
               pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                      QStringLiteral("sink_name=rec")}) &&
               retry([] {
                   QByteArray sink;
                   return pactl({QStringLiteral("get-default-sink")}, &sink) && sink.trimmed() == "rec";
               });
    }

    /// Ends the server's core at once, as a crash would. PipeWire's PulseAudio server lives on, without sinks,
    /// as it does on a desktop where the core restarts.
    void kill()
    {
        end(m_processes[0]);
        end(m_processes[1]);
    }

private:
    /// Even before it starts: a client that finds nothing there must not reach the machine's own server.
    void pointClientsHere() const
    {
        qputenv("PULSE_SERVER", "unix:" + m_dir.filePath(QStringLiteral("pulse/native")).toLocal8Bit());
    }
    QByteArray busAddress() const { return "unix:path=" + m_dir.filePath(QStringLiteral("bus")).toLocal8Bit(); }

    void writeFile(const QString &path, const QByteArray &text)
    {
        QDir(m_dir.path()).mkpath(QFileInfo(path).path());
        QFile file(m_dir.filePath(path));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }

    void launch(QProcess &process, const QString &program, const QStringList &arguments)
    {
        if (process.state() != QProcess::NotRunning)
            return;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Run from a desktop, the tests must not find its own servers.
        for (const char *desktops : {"PIPEWIRE_RUNTIME_DIR", "PIPEWIRE_REMOTE", "PULSE_RUNTIME_PATH"})
            environment.remove(QString::fromLatin1(desktops));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_STATE_HOME"), m_dir.filePath(QStringLiteral("state")));
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLocal8Bit(busAddress()));
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, arguments);
        process.waitForStarted(5000);
    }

    static void end(QProcess &process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.kill();
        process.waitForFinished(5000);
    }

    static bool pactl(const QStringList &arguments, QByteArray *output = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral("pactl"), arguments);
        const bool done =
            process.waitForFinished(2000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        if (output)
            *output = process.readAllStandardOutput();
        return done;
    }

    static bool listening(const QString &socketPath)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = socketPath.toLocal8Bit();
        if (path.size() >= qsizetype(sizeof address.sun_path))
            return false;
        std::copy(path.begin(), path.end(), address.sun_path);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool connected =
            socket >= 0 && ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        if (socket >= 0)
            ::close(socket);
        return connected;
    }

    static bool retry(const std::function<bool()> &attempt)
    {
        for (int tries = 0; tries < 100; ++tries) {
            if (attempt())
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    const Kind m_kind;
    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/sound.XXXXXX")};
    /// The core, the session manager, the PulseAudio server and the session bus; PulseAudio is all in the first.
    QProcess m_processes[4];
};

/// Records the null sink's monitor through parec, noting when loud samples arrived and how many.
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

    /// Whether the monitor has sent anything yet, silence included: what is played from now on is recorded.
    bool listening() const { return m_listening; }
    /// When the first sound louder than the hiss of silence arrived after `since`, if it has.
    std::optional<Clock::time_point> firstSoundAfter(Clock::time_point since) const
    {
        std::lock_guard lock(m_mutex);
        for (const Loud &heard : m_loud) {
            if (heard.at >= since)
                return heard.at;
        }
        return std::nullopt;
    }
    /// How many loud samples arrived after `since`: how much was heard, whatever the pauses and the delay.
    qint64 loudSamplesAfter(Clock::time_point since) const
    {
        std::lock_guard lock(m_mutex);
        qint64 count = 0;
        for (const Loud &heard : m_loud) {
            if (heard.at >= since)
                count += heard.samples;
        }
        return count;
    }
    static bool isLoud(qint16 sample) { return std::abs(sample) > loud; }

private:
    void readUntilTheEnd(int fd)
    {
        std::vector<qint16> chunk(256);
        for (;;) {
            const ssize_t got = read(fd, chunk.data(), chunk.size() * sizeof(qint16));
            if (got <= 0)
                break;
            const Clock::time_point arrived = Clock::now();
            m_listening = true;
            const size_t count = size_t(got) / sizeof(qint16);
            const auto end = chunk.begin() + std::ptrdiff_t(count);
            const auto first = std::find_if(chunk.begin(), end, isLoud);
            if (first != end) {
                // The sample was played as many samples before the chunk arrived as follow it.
                std::lock_guard lock(m_mutex);
                m_loud.push_back({arrived - std::chrono::microseconds((end - first) * 1000000 / sampleRate),
                                  std::count_if(first, end, isLoud)});
            }
        }
        close(fd);
    }

    static constexpr int loud = 300;
    pid_t m_pid = -1;
    std::atomic<bool> m_listening = false;
    std::thread m_reader;
    mutable std::mutex m_mutex;
    struct Loud
    {
        Clock::time_point at; ///< of the chunk's first loud sample
        qint64 samples;       ///< loud in the chunk
    };
    std::vector<Loud> m_loud; ///< each chunk that had a loud sample
};
