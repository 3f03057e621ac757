#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <functional>

namespace narrator {

/// Time for the narrator: what time it is, and a call later. A seam, so tests can move time by hand.
class TimeSource
{
public:
    virtual ~TimeSource() = default;

    /// Milliseconds since some fixed start.
    virtual qint64 nowMs() const = 0;
    /// Calls `callback` once, `ms` from now, unless `context` is destroyed first.
    virtual void after(int ms, QObject *context, std::function<void()> callback) = 0;
};

/// The real time, through QTimer.
class SystemTimeSource final : public TimeSource
{
public:
    SystemTimeSource() { m_started.start(); }

    qint64 nowMs() const override { return m_started.elapsed(); }
    void after(int ms, QObject *context, std::function<void()> callback) override;

private:
    QElapsedTimer m_started;
};

} // namespace narrator
