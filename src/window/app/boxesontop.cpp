#include "window/app/boxesontop.h"

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
    // A window manager reads a window's layer as the window is mapped, just after its show event:
    // the layers are set now, and the box raised once the event loop is back and all is mapped.
    // A box enters the modal stack only as it shows.
    if (type == QEvent::Show)
        setLayers(widget->isModal() ? widget : QApplication::activeModalWidget());
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
    setLayers(box);
    if (box)
        box->raise();
}

void BoxesOnTop::setLayers(QWidget *box)
{
    // A window manager keeps always-on-top windows in a layer above the others, whatever each
    // window asks: the box goes there, the others leave it while the box is open. Only the window
    // system's flags change: each widget keeps its own, to take back later.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        QWindow *handle = window->windowHandle();
        if (!handle)
            continue;
        Qt::WindowFlags flags = window->windowFlags();
        if (window == box)
            flags |= Qt::WindowStaysOnTopHint;
        else if (box)
            flags &= ~Qt::WindowStaysOnTopHint;
        if (handle->flags() != flags)
            handle->setFlags(flags);
    }
}

} // namespace window
