#include "window/boxesontop.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace window {

BoxesOnTop::BoxesOnTop(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

bool BoxesOnTop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide && type != QEvent::ZOrderChange) || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    if (!widget->isWindow())
        return false;
    if (type == QEvent::ZOrderChange) {
        // A window raised over the open box: the box goes back on top in the same breath. The
        // box's own raise comes here too, and needs nothing.
        QWidget *box = QApplication::activeModalWidget();
        if (box && widget != box)
            box->raise();
        return false;
    }
    // A window is mapped after its show event, on top of the others; a box enters the modal
    // stack only as it shows. The stacking is settled once the event loop is back.
    if (type == QEvent::Show || widget->isModal()) {
        if (!m_restackPending) {
            m_restackPending = true;
            QTimer::singleShot(0, this, &BoxesOnTop::restack);
        }
    }
    return false;
}

void BoxesOnTop::restack()
{
    m_restackPending = false;
    QWidget *box = QApplication::activeModalWidget();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        QWindow *handle = window->windowHandle();
        if (window == box || !handle || !window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            continue;
        // Only the window system's flags change: the widget keeps its own, to take back later.
        const Qt::WindowFlags flags = box ? window->windowFlags() & ~Qt::WindowStaysOnTopHint : window->windowFlags();
        if (handle->flags() != flags)
            handle->setFlags(flags);
    }
    if (!box)
        return;
    // A window manager keeps always-on-top windows in a layer above the others, whatever each
    // window asks: the box itself goes there.
    if (QWindow *handle = box->windowHandle())
        handle->setFlags(box->windowFlags() | Qt::WindowStaysOnTopHint);
    box->raise();
}

} // namespace window
