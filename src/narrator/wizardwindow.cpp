#include "narrator/wizardwindow.h"

#include "narrator/balloon.h"
#include "narrator/clock.h"
#include "narrator/stage.h"
#include "narrator/windowshape.h"

#include <QBitmap>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace narrator {

namespace {

// Smooth while something moves; slow and lazy (repainting only on change) while idling.
constexpr int busyFrameMs = 40;
constexpr int idleFrameMs = 100;
constexpr int balloonLingerMs = 900;

int glideDurationMs(QPoint from, QPoint to)
{
    const double distance = std::hypot(to.x() - from.x(), to.y() - from.y());
    return std::clamp(int(distance * 1.2), 300, 1000);
}

} // namespace

WizardWindow::WizardWindow(Clock &clock, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_clock(clock), m_balloon(new Balloon(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Merlin"));
    setDrawnHeight(stageHeight);
    move(stageX, stageY);
}

void WizardWindow::appear()
{
    // Every narrating handler opens with Show; a wizard already there stays as he is.
    if (isVisible()) {
        Q_EMIT gestureFinished();
        return;
    }
    show();
    begin(Gesture::Appear, gestureDurationMs(Gesture::Appear));
}

void WizardWindow::glideTo(const QPoint &topLeft)
{
    if (!isVisible() || topLeft == pos()) {
        move(topLeft);
        Q_EMIT gestureFinished();
        return;
    }
    m_glideFrom = pos();
    m_glideTo = topLeft;
    begin(Gesture::Glide, glideDurationMs(m_glideFrom, m_glideTo));
}

void WizardWindow::perform(Gesture gesture)
{
    begin(gesture, gestureDurationMs(gesture));
}

void WizardWindow::setDrawnHeight(int pixels)
{
    m_art.setHeight(pixels, devicePixelRatioF());
    setFixedSize(m_art.size());
    m_frame = QImage(); // drawn anew at the new size, whatever the pose
    refresh();
}

void WizardWindow::startSpeaking(const Speech &speech, qint64 startedMs)
{
    m_speech = speech;
    m_speechStart = startedMs;
    m_speaking = true;
    m_wordsShown = 0;
    ++m_balloonGeneration;
    if (!speech.text.trimmed().isEmpty())
        m_balloon->open(speech.text.trimmed());
    showSpokenWords();
    keepTicking();
}

void WizardWindow::stopSpeaking()
{
    m_speaking = false;
    m_wordsShown = m_speech.words.size();
    if (!m_speech.text.trimmed().isEmpty())
        m_balloon->showText(m_speech.text.trimmed());
    const int generation = ++m_balloonGeneration;
    m_clock.after(balloonLingerMs, this, [this, generation] {
        if (generation == m_balloonGeneration)
            m_balloon->hide();
    });
    refresh();
}

QSize WizardWindow::sizeHint() const
{
    return m_art.size();
}

void WizardWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_frame);
}

void WizardWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    m_balloon->placeBeside(frameGeometry());
}

void WizardWindow::begin(Gesture gesture, int durationMs)
{
    // Without a window manager nothing keeps him on top: windows opened later would cover him.
    raise();
    m_gesture = gesture;
    m_gestureStart = m_clock.nowMs();
    m_gestureDuration = durationMs;
    refresh();
    keepTicking();
}

void WizardWindow::tick()
{
    m_tickPending = false;
    const qint64 now = m_clock.nowMs();
    const int elapsed = int(now - m_gestureStart);
    if (m_gesture == Gesture::Glide)
        move(m_glideFrom +
             (m_glideTo - m_glideFrom) *
                 (0.5 - 0.5 * std::cos(std::numbers::pi * std::min(1.0, double(elapsed) / m_gestureDuration))));
    if (m_speaking)
        showSpokenWords();
    const bool ended = m_gesture != Gesture::Idle && elapsed >= m_gestureDuration;
    if (ended)
        m_gesture = Gesture::Idle;
    refresh();
    keepTicking();
    if (ended)
        Q_EMIT gestureFinished();
}

void WizardWindow::keepTicking()
{
    // A hidden wizard idling has nothing to draw; the next request starts the ticks again.
    if (m_tickPending || (!isVisible() && m_gesture == Gesture::Idle && !m_speaking))
        return;
    m_tickPending = true;
    const bool busy = m_gesture != Gesture::Idle || m_speaking;
    m_clock.after(busy ? busyFrameMs : idleFrameMs, this, [this] { tick(); });
}

void WizardWindow::refresh()
{
    const Pose pose = poseAt(m_gesture, int(m_clock.nowMs() - m_gestureStart), m_clock.nowMs(), m_speaking);
    if (pose == m_pose && !m_frame.isNull())
        return;
    m_pose = pose;
    m_frame = m_art.render(pose);
    cutToShape(this, QBitmap::fromImage(m_frame.createAlphaMask(Qt::AvoidDither).scaled(size())));
    update();
}

void WizardWindow::showSpokenWords()
{
    const qsizetype begun = m_speech.wordsBegunBy(int(m_clock.nowMs() - m_speechStart));
    if (begun == m_wordsShown || begun == 0)
        return;
    m_wordsShown = begun;
    m_balloon->showText(m_speech.textOfWords(begun));
}

} // namespace narrator
