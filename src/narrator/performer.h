#pragma once

#include "narrator/request.h"

#include <QObject>

namespace narrator {

/// Carries out one request at a time for the queue: the drawn, speaking wizard in the game,
/// a recorder in tests. perform() must be followed by exactly one finished(), now or later.
class Performer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void perform(const Request &request) = 0;

Q_SIGNALS:
    void finished();
};

} // namespace narrator
