#include "narrator/requestqueue.h"

namespace narrator {

RequestQueue::RequestQueue(Performer *performer, QObject *parent) : QObject(parent), m_performer(performer)
{
    m_performer->setParent(this);
    connect(m_performer, &Performer::finished, this, &RequestQueue::onFinished);
}

qint64 RequestQueue::enqueue(const Request &request)
{
    m_waiting.enqueue(request);
    if (!m_busy)
        startNext();
    return ++m_issued;
}

void RequestQueue::hold()
{
    m_held = true;
}

void RequestQueue::release()
{
    m_held = false;
    if (!m_busy && !m_starting)
        startNext();
}

void RequestQueue::onFinished()
{
    m_busy = false;
    // A performer that finishes inside perform() must not make startNext() recurse.
    if (!m_starting)
        startNext();
}

void RequestQueue::startNext()
{
    m_starting = true;
    while (!m_busy && !m_held && !m_waiting.isEmpty()) {
        m_busy = true;
        m_performer->perform(m_waiting.dequeue());
    }
    m_starting = false;
    if (!m_busy && m_waiting.isEmpty())
        Q_EMIT drained();
}

} // namespace narrator
