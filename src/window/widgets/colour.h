#pragma once

#include <QPalette>
#include <QWidget>

namespace window {

/// Gives `widget` its own `colour` for `role`, leaving the rest of its palette as it is.
inline void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace window
