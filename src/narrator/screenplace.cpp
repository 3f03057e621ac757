#include "narrator/screenplace.h"

#include "narrator/clearspot.h"

#include <QWidget>

namespace narrator {

QRect screenRect(const QWidget *widget)
{
    if (widget->isWindow())
        return widget->frameGeometry();
    return QRect(widget->parentWidget()->mapToGlobal(widget->pos()), widget->size());
}

void moveOnScreen(QWidget *widget, const QPoint &topLeft)
{
    widget->move(widget->isWindow() ? topLeft : widget->parentWidget()->mapFromGlobal(topLeft));
}

QRect roomFor(const QWidget *widget, const QPoint &point)
{
    if (widget->isWindow())
        return roomOnScreenAt(point);
    const QWidget *host = widget->parentWidget();
    return QRect(host->mapToGlobal(QPoint(0, 0)), host->size());
}

} // namespace narrator
