#include "narrator/wizardperformer.h"

#include "narrator/audiosink.h"
#include "narrator/timesource.h"
#include "narrator/espeakengine.h"
#include "narrator/pcaudiosink.h"
#include "narrator/speechengine.h"
#include "narrator/stage.h"
#include "narrator/wizardwindow.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace narrator {

namespace {

// Taller than any screen, and each of his drawn parts is kept in memory at that size.
constexpr int tallestHeight = 4096;

} // namespace

WizardPerformer::WizardPerformer(std::unique_ptr<SpeechEngine> engine, std::unique_ptr<AudioSink> sink,
                                 std::unique_ptr<TimeSource> clock, QWidget *host, QObject *parent)
    : Performer(parent), m_engine(std::move(engine)), m_sink(std::move(sink)), m_clock(std::move(clock)),
      m_window(std::make_unique<WizardWindow>(*m_clock, host))
{
    connect(m_sink.get(), &AudioSink::finished, this, &WizardPerformer::endSpeech);
    connect(m_sink.get(), &AudioSink::failed, this, &WizardPerformer::onSoundFailed);
    connect(m_window.get(), &WizardWindow::gestureFinished, this, &WizardPerformer::onGestureFinished);
}

WizardPerformer::~WizardPerformer() = default;

void WizardPerformer::setKeepClear(std::function<QList<QRect>()> keepClear)
{
    m_window->setKeepClear(std::move(keepClear));
}

void WizardPerformer::setKeyboardHome(QWidget *home)
{
    m_window->setKeyboardHome(home);
}

void WizardPerformer::perform(const Request &request)
{
    switch (request.kind) {
    case Request::Kind::Show:
        // Every narrating handler opens with Show: what it has him say makes a new caption.
        m_window->startNewCaption();
        m_gesturing = true;
        // He first appears where he will stand beside the game, rather than gliding there over it.
        if (!m_window->isVisible())
            m_window->standAt(m_stageOrigin() + QPoint(stageX, stageY));
        m_window->appear();
        return;
    case Request::Kind::MoveTo:
        m_gesturing = true;
        m_window->glideTo(m_stageOrigin() + QPoint(request.x, request.y));
        return;
    case Request::Kind::Play: {
        const std::optional<Gesture> gesture = gestureNamed(request.text);
        if (!gesture)
            throw std::runtime_error("The narrator has no animation called " + request.text.toStdString());
        m_gesturing = true;
        m_window->perform(*gesture);
        return;
    }
    case Request::Kind::Height:
        if (request.pixels < 1 || request.pixels > tallestHeight)
            throw std::runtime_error("The narrator cannot be drawn " + std::to_string(request.pixels) + " pixels high");
        m_window->setDrawnHeight(request.pixels);
        Q_EMIT finished();
        return;
    case Request::Kind::Speak:
        speak(request.text);
        return;
    }
}

void WizardPerformer::speak(const QString &text)
{
    const qint64 started = m_clock->nowMs();
    // The first piece of sound goes out while the rest is still being made.
    const bool withSound = soundIsOn();
    const Speech speech = m_engine->synthesise(text, [this, withSound](const QList<qint16> &piece) {
        if (withSound)
            m_sink->write(piece);
    });
    m_speech = ++m_speechCount;
    m_speechEndsAt = started + speech.durationMs;
    m_window->startSpeaking(speech, started);
    if (withSound && speech.hasSound())
        m_sink->drain();
    else
        endSilentlyAt(m_speechEndsAt);
}

bool WizardPerformer::soundIsOn()
{
    QString why = m_engine->unavailableReason();
    if (why.isEmpty())
        why = m_sink->open();
    if (why.isEmpty()) {
        m_sound = Sound::On;
        return true;
    }
    if (m_sound != Sound::Off)
        qWarning("quorvane: Merlin speaks without sound, in his balloon only: %s", qPrintable(why));
    m_sound = Sound::Off;
    return false;
}

void WizardPerformer::endSilentlyAt(qint64 endsAtMs)
{
    // No sound to wait for: the speech lasts as long as it would have been heard.
    const quint64 serial = m_speech;
    m_clock->after(int(std::max<qint64>(0, endsAtMs - m_clock->nowMs())), this, [this, serial] {
        if (m_speech == serial)
            endSpeech();
    });
}

void WizardPerformer::onSoundFailed(const QString &why)
{
    qWarning("quorvane: Merlin's sound output failed (%s); he goes on in his balloon and tries the sound again "
             "when he next speaks",
             qPrintable(why));
    m_sound = Sound::Off;
    if (m_speech != 0)
        endSilentlyAt(m_speechEndsAt);
}

void WizardPerformer::endSpeech()
{
    if (m_speech == 0)
        return;
    m_speech = 0;
    m_window->stopSpeaking();
    Q_EMIT finished();
}

void WizardPerformer::onGestureFinished()
{
    if (!m_gesturing)
        return;
    m_gesturing = false;
    Q_EMIT finished();
}

WizardPerformer *createWizardPerformer(QWidget *host)
{
    auto engine = std::make_unique<EspeakEngine>();
    auto sink = std::make_unique<PcAudioSink>(engine->sampleRate());
    // The caller's narrator control takes ownership, as it does of any performer.
    return new WizardPerformer(std::move(engine), std::move(sink), std::make_unique<SystemTimeSource>(), host);
}

} // namespace narrator
