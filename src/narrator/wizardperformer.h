#pragma once

#include "narrator/performer.h"

#include <QList>
#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>

namespace narrator {

class AudioSink;
class TimeSource;
class SpeechEngine;
class WizardWindow;

/// Performs the requests with the wizard on the desktop: he appears, glides, gestures and
/// speaks aloud. A request finishes when its gesture or its speech reports the end: the sound
/// output when there is sound, the clock at the end of the synthesised speech when there is none
/// or when the output fails on the way. Each speech tries the sound output again.
class WizardPerformer final : public Performer
{
    Q_OBJECT
public:
    /// Takes ownership of the three seams: what makes speech, where its sound goes, what tells the time.
    /// With a `host`, the wizard stands inside it rather than in a window of his own; the host must
    /// outlive the performer.
    WizardPerformer(std::unique_ptr<SpeechEngine> engine, std::unique_ptr<AudioSink> sink,
                    std::unique_ptr<TimeSource> clock, QWidget *host = nullptr, QObject *parent = nullptr);
    ~WizardPerformer() override;

    void perform(const Request &request) override;
    WizardWindow *window() const { return m_window.get(); }
    /// Where MoveTo's coordinates start on the screen. The stage positions were chosen for a game
    /// window standing at the screen's origin, so the game passes its own window's top-left corner:
    /// the wizard then stands in the same place beside the game wherever its window is.
    void setStageOrigin(std::function<QPoint()> origin) { m_stageOrigin = std::move(origin); }
    /// What the wizard and his balloon must never cover: rectangles on the screen, asked anew at each move.
    void setKeepClear(std::function<QList<QRect>()> keepClear);
    /// The game's window, which keeps the keyboard even where his own windows are given it.
    void setKeyboardHome(QWidget *home);

private:
    void speak(const QString &text);
    /// Whether this speech goes to the sound output; says once why not, when that is news.
    bool soundIsOn();
    /// Ends the speech in progress at `endsAtMs` on the clock, as if it had been heard.
    void endSilentlyAt(qint64 endsAtMs);
    void onSoundFailed(const QString &why);
    void endSpeech();
    void onGestureFinished();

    std::unique_ptr<SpeechEngine> m_engine;
    std::unique_ptr<AudioSink> m_sink;
    std::unique_ptr<TimeSource> m_clock;
    std::unique_ptr<WizardWindow> m_window;
    std::function<QPoint()> m_stageOrigin = [] { return QPoint(0, 0); };
    enum class Sound
    {
        Untried,
        On,
        Off
    };
    Sound m_sound = Sound::Untried;
    bool m_gesturing = false;
    quint64 m_speech = 0; ///< the speech in progress; 0 when none
    qint64 m_speechEndsAt = 0;
    quint64 m_speechCount = 0;
};

/// The game's narrator: espeak-ng's Italian voice, the desktop's sound output and the real time; inside
/// `host` when one is given.
WizardPerformer *createWizardPerformer(QWidget *host = nullptr);

} // namespace narrator
