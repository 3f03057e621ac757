#include "narrator/clearspot.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <limits>
#include <optional>

namespace narrator {

namespace {

bool isClear(const QRect &spot, const QList<QRect> &obstacles, const QRect &room)
{
    return (!room.isValid() || room.contains(spot)) &&
           std::none_of(obstacles.cbegin(), obstacles.cend(), [&](const QRect &o) { return o.intersects(spot); });
}

std::optional<QRect> nearestInRoom(const QRect &wanted, const QList<QRect> &obstacles, const QRect &room)
{
    if (isClear(wanted, obstacles, room))
        return wanted;
    // The nearest clear spot, if any, has each side either where it was wanted or against the edge of
    // an obstacle or of the room: these few places are all there is to try.
    QList<int> lefts = {wanted.left()};
    QList<int> tops = {wanted.top()};
    const auto addEdgesOf = [&](const QRect &r) {
        lefts << r.left() - wanted.width() << r.right() + 1;
        tops << r.top() - wanted.height() << r.bottom() + 1;
    };
    for (const QRect &obstacle : obstacles)
        addEdgesOf(obstacle);
    if (room.isValid()) {
        lefts << room.left() << room.right() + 1 - wanted.width();
        tops << room.top() << room.bottom() + 1 - wanted.height();
    }
    std::optional<QRect> best;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (int left : lefts) {
        for (int top : tops) {
            const QRect spot(QPoint(left, top), wanted.size());
            const qint64 dx = left - wanted.left();
            const qint64 dy = top - wanted.top();
            if (dx * dx + dy * dy < bestDistance && isClear(spot, obstacles, room)) {
                best = spot;
                bestDistance = dx * dx + dy * dy;
            }
        }
    }
    return best;
}

} // namespace

QRect nearestClearSpot(const QRect &wanted, const QList<QRect> &obstacles, const QRect &room)
{
    if (const std::optional<QRect> onScreen = nearestInRoom(wanted, obstacles, room))
        return *onScreen;
    // Partly off the screen is better than over what must stay in sight; over it only when nothing else is left.
    return nearestInRoom(wanted, obstacles, QRect()).value_or(wanted);
}

QRect roomOnScreenAt(const QPoint &point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace narrator
