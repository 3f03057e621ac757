#include "narrator/keyboardhome.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace narrator {

KeyboardHome::KeyboardHome(QWidget *home, QObject *parent) : QObject(parent), m_home(home) {}

void KeyboardHome::watch(QWidget *window)
{
    window->installEventFilter(this);
}

bool KeyboardHome::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::WindowActivate && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    // An open box is where the keyboard belongs while it is open.
    QWidget *home = QApplication::activeModalWidget();
    if (!home)
        home = m_home;
    if (!home)
        return false;
    if (type == QEvent::WindowActivate) {
        home->activateWindow();
        return false;
    }
    QWidget *typedInto = home->focusWidget() ? home->focusWidget() : home;
    QCoreApplication::sendEvent(typedInto, event);
    return true;
}

} // namespace narrator
