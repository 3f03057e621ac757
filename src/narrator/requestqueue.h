#pragma once

#include "narrator/performer.h"
#include "narrator/request.h"

#include <QObject>
#include <QQueue>

namespace narrator {

/// Hands requests to the performer one after another, in the order they were issued; each one
/// starts only when the one before has reported that it finished. Nothing is dropped or cut short.
class RequestQueue : public QObject
{
    Q_OBJECT
public:
    /// Takes ownership of `performer`.
    RequestQueue(Performer *performer, QObject *parent);

    /// Queues the request and returns at once with its sequence number.
    qint64 enqueue(const Request &request);
    bool isIdle() const { return !m_busy && m_waiting.isEmpty(); }
    /// Keeps the waiting requests waiting, while the one in hand finishes, until release().
    void hold();
    /// Goes on with the waiting requests.
    void release();
    Performer *performer() const { return m_performer; }

Q_SIGNALS:
    /// Everything issued so far has been performed.
    void drained();

private:
    void onFinished();
    void startNext();

    Performer *m_performer;
    QQueue<Request> m_waiting;
    qint64 m_issued = 0;
    bool m_busy = false;
    bool m_starting = false;
    bool m_held = false;
};

} // namespace narrator
