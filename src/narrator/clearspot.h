#pragma once

#include <QList>
#include <QRect>

namespace narrator {

/// `wanted` moved as little as it takes to meet none of `obstacles`, inside `room` if it can be;
/// `wanted` itself when it already does or when nowhere does. An invalid `room` sets no bounds.
QRect nearestClearSpot(const QRect &wanted, const QList<QRect> &obstacles, const QRect &room);

/// The part of the screen at `point` that windows may use; invalid when there is no screen.
QRect roomOnScreenAt(const QPoint &point);

} // namespace narrator
