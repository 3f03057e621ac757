#include "narrator/timesource.h"

#include <QTimer>

namespace narrator {

void SystemTimeSource::after(int ms, QObject *context, std::function<void()> callback)
{
    QTimer::singleShot(ms, Qt::PreciseTimer, context, std::move(callback));
}

} // namespace narrator
