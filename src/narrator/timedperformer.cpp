#include "narrator/timedperformer.h"

#include <QDebug>

namespace narrator {

TimedPerformer::TimedPerformer(QObject *parent) : Performer(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Performer::finished);
    qWarning("quorvane: the narrator is silent and invisible in this build");
}

void TimedPerformer::perform(const Request &request)
{
    m_timer.start(durationMs(request));
}

int TimedPerformer::durationMs(const Request &request)
{
    switch (request.kind) {
    case Request::Kind::Speak:
        return 300 + 60 * int(request.text.size()); // about a syllable every 60 ms
    case Request::Kind::Play:
        return 1500;
    case Request::Kind::Show:
    case Request::Kind::MoveTo:
        return 300;
    case Request::Kind::Height:
        return 0;
    }
    return 0;
}

} // namespace narrator
