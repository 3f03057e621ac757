#pragma once

#include "narrator/pose.h"
#include "narrator/speech.h"
#include "narrator/wizardart.h"

#include <QWidget>

#include <functional>

namespace narrator {

class Balloon;
class TimeSource;

/// The wizard on the desktop: a frameless, shaped, always-on-top window that never takes the
/// keyboard focus, with his speech balloon beside him. Given a host, he and his balloon are drawn
/// inside it instead, as its children. Each gesture ends with gestureFinished().
class WizardWindow final : public QWidget
{
    Q_OBJECT
public:
    /// `host`, when given, shows him and owns him.
    explicit WizardWindow(TimeSource &clock, QWidget *host = nullptr);

    /// Shows the wizard where he stands, growing out of the floor; nothing to do when he is there.
    void appear();
    /// Glides the window's top-left corner to `wanted`, in screen pixels, or to the nearest place
    /// from there where he covers nothing that must be kept clear.
    void glideTo(const QPoint &wanted);
    /// Puts him at `wanted` at once, or at the nearest place from there where he covers nothing that
    /// must be kept clear.
    void standAt(const QPoint &wanted);
    /// What he and his balloon must never cover: rectangles on the screen.
    void setKeepClear(std::function<QList<QRect>()> keepClear);
    /// Where the keyboard belongs: the game's window, which keeps it even if his own windows are given it.
    void setKeyboardHome(QWidget *home);
    void perform(Gesture gesture);
    /// Draws the wizard `pixels` high from now on, at once.
    void setDrawnHeight(int pixels);
    /// The next speech starts the balloon's caption afresh; until then it keeps what was said.
    void startNewCaption() { m_newCaption = true; }
    /// Moves the mouth and adds the speech to the caption in the balloon; its words appear as the
    /// speech, whose sound began at `startedMs` on the clock, reaches them.
    void startSpeaking(const Speech &speech, qint64 startedMs);
    /// Shows the whole speech in the caption and closes the mouth. The caption stays.
    void stopSpeaking();

    Gesture gesture() const { return m_gesture; }
    Balloon *balloon() const { return m_balloon; }
    QSize sizeHint() const override;

Q_SIGNALS:
    void gestureFinished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    QPoint clearSpotFor(const QPoint &wanted) const;
    /// What he and his balloon must not cover: what the game keeps clear and, inside a host, every
    /// other widget there.
    QList<QRect> mustNotCover() const;
    void begin(Gesture gesture, int durationMs);
    void tick();
    void keepTicking();
    void refresh();
    void showSpokenWords();
    /// The caption with the current speech as far as its first `words` words.
    QString captionWith(qsizetype words) const;

    TimeSource &m_clock;
    WizardArt m_art;
    Balloon *m_balloon;
    Pose m_pose;
    QImage m_frame;
    bool m_tickPending = false;

    Gesture m_gesture = Gesture::Idle;
    qint64 m_gestureStart = 0;
    int m_gestureDuration = 0;
    QPoint m_glideFrom;
    QPoint m_glideTo;

    std::function<QList<QRect>()> m_keepClear;

    Speech m_speech;
    qint64 m_speechStart = 0;
    bool m_speaking = false;
    qsizetype m_wordsShown = 0;
    QString m_caption; ///< the speeches said since the caption began, before the current one
    bool m_newCaption = false;
};

} // namespace narrator
