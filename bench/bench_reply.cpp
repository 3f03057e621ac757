// How soon Merlin answers the child's key, through the real game window and narrator on a private Xvfb:
//  - key -> first sound handed to the sound output (gestures and espeak-ng synthesis included);
//  - key -> first sound heard at the null sink of a sound server of the benchmark's own, PulseAudio and PipeWire
//    side by side (each that is installed);
//  - without sound: key -> first word in the balloon;
// for Enter on a wrong answer, Enter for the next exercise and Enter on a right answer; medians of several runs.
// usage: bench_reply [runs]

#include "engine/randomsource.h"
#include "engine/round.h"
#include "narrator/balloon.h"
#include "narrator/timesource.h"
#include "narrator/espeakengine.h"
#include "narrator/pcaudiosink.h"
#include "narrator/wizardperformer.h"
#include "narrator/wizardwindow.h"
#include "window/game/gamewindow.h"

#include "startup/xvfbdisplay.h"
#include "figures.h"
#include "support/scripteddialogs.h"
#include "support/soundserver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr double targetMs = 300;

/// The real sound output, noting when the first sound of each reply is handed to it.
class ProbeSink final : public narrator::AudioSink
{
public:
    explicit ProbeSink(std::unique_ptr<narrator::AudioSink> output) : m_output(std::move(output))
    {
        connect(m_output.get(), &AudioSink::finished, this, &AudioSink::finished);
        connect(m_output.get(), &AudioSink::failed, this, &AudioSink::failed);
    }
    QString open() override { return m_output->open(); }
    void write(const QList<qint16> &samples) override
    {
        if (!firstWrite)
            firstWrite = Clock::now();
        m_output->write(samples);
    }
    void drain() override { m_output->drain(); }

    std::optional<Clock::time_point> firstWrite;

private:
    std::unique_ptr<narrator::AudioSink> m_output;
};

double msSince(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

bool waitUntil(const std::function<bool()> &done, std::chrono::milliseconds limit = 60s)
{
    const Clock::time_point until = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > until)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

/// The game window with the real narrator, its boxes answered at once, its records in a folder of its own.
struct Game
{
    explicit Game(bool withSound)
        : sink(new ProbeSink(std::make_unique<narrator::PcAudioSink>(
              narrator::EspeakEngine().sampleRate(), withSound ? QByteArray() : QByteArrayLiteral("no-such-device")))),
          performer(new narrator::WizardPerformer(std::make_unique<narrator::EspeakEngine>(),
                                                  std::unique_ptr<narrator::AudioSink>(sink),
                                                  std::make_unique<narrator::SystemTimeSource>())),
          dialogs(new ScriptedDialogs), round(std::make_unique<engine::ClockSeededRandom>()),
          narrator(performer, nullptr),
          gameWindow(round, narrator, std::unique_ptr<window::Dialogs>(dialogs), records::chooseRecordKeeper())
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        dialogs->name = QStringLiteral("Anna");
        performer->setStageOrigin([this] { return gameWindow.frameGeometry().topLeft(); });
        gameWindow.prepareGame();
        gameWindow.show();
        gameWindow.beginGame();
    }

    bool idle() const { return narrator.queue()->isIdle(); }
    QLineEdit *answerBox() const { return gameWindow.findChild<QLineEdit *>(QStringLiteral("Text3")); }
    QString balloonText() const { return performer->window()->balloon()->text(); }
    /// What the balloon showed when the key was pressed.
    QString balloonBefore;

    QTemporaryDir data;
    ProbeSink *sink;
    narrator::WizardPerformer *performer;
    ScriptedDialogs *dialogs;
    engine::Round round;
    narrator::Agent narrator;
    window::GameWindow gameWindow;
};

enum class Key
{
    WrongAnswer,
    NextExercise,
    RightAnswer
};

const char *describe(Key key)
{
    switch (key) {
    case Key::WrongAnswer:
        return "Enter on a wrong answer ";
    case Key::NextExercise:
        return "Enter for the next exercise";
    case Key::RightAnswer:
        return "Enter on a right answer ";
    }
    return "";
}

/// Presses the key once Merlin has finished, and returns when it was pressed.
Clock::time_point press(Game &game, Key key)
{
    if (!waitUntil([&] { return game.idle(); }))
        qFatal("Merlin never finished speaking");
    QTest::qWait(300);
    if (key != Key::NextExercise)
        QTest::keyClicks(game.answerBox(), key == Key::RightAnswer ? game.round.expectedAnswer() : QStringLiteral("0"));
    game.sink->firstWrite.reset();
    game.balloonBefore = game.balloonText();
    const Clock::time_point pressed = Clock::now();
    QTest::keyClick(key == Key::NextExercise ? game.gameWindow.findChild<QWidget *>(QStringLiteral("cmdNext"))
                                             : game.answerBox(),
                    Qt::Key_Return);
    return pressed;
}

const std::vector<Key> round = {Key::WrongAnswer, Key::NextExercise, Key::RightAnswer, Key::NextExercise};

/// Milliseconds from each key to the first sound handed to the output, and to the first sound heard at the sink.
struct SoundFigures
{
    std::map<Key, std::vector<double>> handed;
    std::map<Key, std::vector<double>> heard;
};

SoundFigures benchWithSound(int runs, SoundServer::Kind kind)
{
    SoundServer server(kind);
    if (!server.start())
        qFatal("the %s server did not start", SoundServer::name(kind));
    const MonitorRecorder recorder;
    Game game(true);
    SoundFigures measured;
    for (int run = 0; run < runs; ++run) {
        for (Key key : round) {
            const Clock::time_point pressed = press(game, key);
            if (!waitUntil([&] { return game.sink->firstWrite.has_value(); }, 10s))
                qFatal("no sound was handed to the output");
            measured.handed[key].push_back(msSince(pressed, *game.sink->firstWrite));
            std::optional<Clock::time_point> first;
            if (waitUntil([&] { return (first = recorder.firstSoundAfter(pressed)).has_value(); }, 10s))
                measured.heard[key].push_back(msSince(pressed, *first));
        }
    }
    return measured;
}

/// One column pair per sound server, side by side.
void printWithSound(int runs, const std::map<SoundServer::Kind, SoundFigures> &byServer)
{
    std::printf("With sound (a private server's null sink), median of %d runs, target <= %.0f ms:\n", runs, targetMs);
    std::printf("  %-30s", "");
    for (const auto &[kind, measured] : byServer)
        std::printf(" %29s", SoundServer::name(kind));
    std::printf("\n  %-30s", "");
    for (size_t column = 0; column < byServer.size(); ++column)
        std::printf(" %14s %14s", "handed to out", "heard at sink");
    std::printf("\n");
    for (Key key : {Key::WrongAnswer, Key::NextExercise, Key::RightAnswer}) {
        std::printf("  %-30s", describe(key));
        for (const auto &[kind, measured] : byServer) {
            const auto heard = measured.heard.find(key);
            std::printf(" %11.1f ms %11.1f ms", figures::median(measured.handed.at(key)),
                        heard == measured.heard.end() ? -1.0 : figures::median(heard->second));
        }
        std::printf("\n");
    }
}

void benchWithoutSound(int runs)
{
    Game game(false);
    std::map<Key, std::vector<double>> shown;
    for (int run = 0; run < runs; ++run) {
        for (Key key : round) {
            const Clock::time_point pressed = press(game, key);
            if (!waitUntil(
                    [&] {
                        const QString now = game.balloonText();
                        return !now.isEmpty() && now != game.balloonBefore;
                    },
                    10s))
                qFatal("no word appeared in the balloon");
            shown[key].push_back(msSince(pressed, Clock::now()));
        }
    }
    std::printf("Without sound, key -> first word in the balloon, median of %d runs, target <= %.0f ms:\n", runs,
                targetMs);
    for (Key key : {Key::WrongAnswer, Key::NextExercise, Key::RightAnswer})
        std::printf("  %-30s %11.1f ms\n", describe(key), figures::median(shown[key]));
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = figures::runsFromArguments(argc, argv, 7, "bench_reply");
    if (runs == 0)
        return 2;
    const startup::XvfbDisplay display;
    startup::useDisplay(display.name());
    QApplication app(argc, argv);
    std::map<SoundServer::Kind, SoundFigures> byServer;
    for (const SoundServer::Kind kind : {SoundServer::Kind::PulseAudio, SoundServer::Kind::PipeWire}) {
        if (SoundServer::isInstalled(kind))
            byServer[kind] = benchWithSound(runs, kind);
        else
            std::printf("%s is not installed: no figures for it\n", SoundServer::name(kind));
    }
    printWithSound(runs, byServer);
    benchWithoutSound(runs);
    return 0;
}
