#include "narrator/wizardwindow.h"

#include "narrator/balloon.h"
#include "narrator/clearspot.h"
#include "narrator/keyboardhome.h"
#include "narrator/screenplace.h"
#include "narrator/stage.h"
#include "narrator/timesource.h"
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

int glideDurationMs(QPoint from, QPoint to)
{
    const double distance = std::hypot(to.x() - from.x(), to.y() - from.y());
    return std::clamp(int(distance * 1.2), 300, 1000);
}

} // namespace

WizardWindow::WizardWindow(TimeSource &clock, QWidget *host)
    : QWidget(host, host ? Qt::WindowFlags() : ownWindowFlags), m_clock(clock),
      m_balloon(new Balloon(host ? host : this, host ? Qt::WindowFlags() : ownWindowFlags))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Merlin"));
    m_balloon->setKeepClear([this] { return mustNotCover(); });
    // A child shows with its host unless told otherwise: inside a host, he and his balloon wait to be asked.
    if (host) {
        hide();
        m_balloon->hide();
    }
    setDrawnHeight(stageHeight);
    moveOnScreen(this, QPoint(stageX, stageY));
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

QPoint WizardWindow::clearSpotFor(const QPoint &wanted) const
{
    return nearestClearSpot(QRect(wanted, size()), mustNotCover(), roomFor(this, wanted)).topLeft();
}

QList<QRect> WizardWindow::mustNotCover() const
{
    QList<QRect> kept = m_keepClear ? m_keepClear() : QList<QRect>();
    if (isWindow())
        return kept;
    // Drawn into the game window itself, he stands over none of its controls.
    for (const QWidget *other : parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (other != this && other != m_balloon && !other->isHidden())
            kept << screenRect(other);
    }
    return kept;
}

void WizardWindow::standAt(const QPoint &wanted)
{
    moveOnScreen(this, clearSpotFor(wanted));
}

void WizardWindow::glideTo(const QPoint &wanted)
{
    const QPoint topLeft = clearSpotFor(wanted);
    const QPoint from = screenRect(this).topLeft();
    if (!isVisible() || topLeft == from) {
        moveOnScreen(this, topLeft);
        Q_EMIT gestureFinished();
        return;
    }
    m_glideFrom = from;
    m_glideTo = topLeft;
    begin(Gesture::Glide, glideDurationMs(m_glideFrom, m_glideTo));
}

void WizardWindow::setKeepClear(std::function<QList<QRect>()> keepClear)
{
    m_keepClear = std::move(keepClear);
}

void WizardWindow::setKeyboardHome(QWidget *home)
{
    // Inside a host there is no window of his to be given the keyboard, and the host's own activation reaches
    // every child.
    if (!isWindow())
        return;
    auto *keeper = new KeyboardHome(home, this);
    keeper->watch(this);
    keeper->watch(m_balloon);
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
    if (!speech.text.trimmed().isEmpty()) {
        if (m_newCaption)
            m_caption.clear();
        m_newCaption = false;
        m_balloon->open(captionWith(speech.words.size()));
        m_balloon->showText(captionWith(0)); // what was said before, until the first word comes
    }
    showSpokenWords();
    keepTicking();
}

void WizardWindow::stopSpeaking()
{
    m_speaking = false;
    m_wordsShown = m_speech.words.size();
    if (!m_speech.text.trimmed().isEmpty()) {
        m_caption = captionWith(m_speech.words.size());
        m_balloon->showText(m_caption);
    }
    refresh();
}

QSize WizardWindow::sizeHint() const
{
    return m_art.size();
}

void WizardWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A window of his own starts each frame from nothing; inside a host, the host shows around him.
    if (isWindow())
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_frame);
}

void WizardWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    m_balloon->placeBeside(screenRect(this));
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
        moveOnScreen(this,
                     m_glideFrom + (m_glideTo - m_glideFrom) *
                                       (0.5 - 0.5 * std::cos(std::numbers::pi *
                                                             std::min(1.0, double(elapsed) / m_gestureDuration))));
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
    int frameMs = busy ? busyFrameMs : idleFrameMs;
    // The tick that ends a gesture falls on its end, so the next request starts without delay.
    if (m_gesture != Gesture::Idle)
        frameMs = std::clamp(int(m_gestureStart + m_gestureDuration - m_clock.nowMs()), 1, frameMs);
    m_clock.after(frameMs, this, [this] { tick(); });
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
    // The first word shows as the speech starts: the reply is seen at once, even without sound.
    const qsizetype begun = std::max<qsizetype>(1, m_speech.wordsBegunBy(int(m_clock.nowMs() - m_speechStart)));
    if (begun == m_wordsShown || m_speech.words.isEmpty())
        return;
    m_wordsShown = begun;
    m_balloon->showText(captionWith(begun));
}

QString WizardWindow::captionWith(qsizetype words) const
{
    const QString spoken = m_speech.textOfWords(words);
    if (m_caption.isEmpty() || spoken.isEmpty())
        return m_caption + spoken;
    return m_caption + QLatin1Char(' ') + spoken;
}

} // namespace narrator
