#include "window/app/onepressperenter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace window {

OnePressPerEnter::OnePressPerEnter(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

bool OnePressPerEnter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (type == QEvent::KeyRelease) {
        m_releasedAt = key->timestamp();
        if (!key->isAutoRepeat())
            m_held = false;
        return false;
    }
    // A key reaches the window system's window, then the focus widget, then the parents the focus
    // widget leaves it to: only the focus widget's copy is the press.
    auto *widget = QApplication::focusWidget();
    if (watched != widget)
        return false;
    // A press at the very time of the release before it is the second half of a repeat. A box
    // that closed on its Enter takes the release with it: the key counts as held only while the
    // window that took the press is still there.
    const bool repeat =
        (m_held && m_heldIn && m_heldIn->isVisible()) || (m_releasedAt != 0 && key->timestamp() == m_releasedAt);
    m_held = true;
    m_heldIn = widget->window();
    return repeat;
}

} // namespace window
