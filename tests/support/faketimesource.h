#pragma once

#include "narrator/timesource.h"

#include <QPointer>

#include <algorithm>
#include <vector>

/// Time that moves only when the test says so; calls come due in order as it passes.
class FakeTimeSource final : public narrator::TimeSource
{
public:
    qint64 nowMs() const override { return m_now; }
    void after(int ms, QObject *context, std::function<void()> callback) override
    {
        m_pending.push_back({m_now + ms, m_sequence++, context, std::move(callback)});
    }

    /// Moves time on by `ms`, running every call that falls due on the way, at its own time.
    void advance(int ms)
    {
        const qint64 until = m_now + ms;
        for (;;) {
            auto next = std::min_element(m_pending.begin(), m_pending.end(), [](const Call &a, const Call &b) {
                return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
            });
            if (next == m_pending.end() || next->due > until)
                break;
            Call call = std::move(*next);
            m_pending.erase(next);
            m_now = call.due;
            if (call.context)
                call.callback();
        }
        m_now = until;
    }

private:
    struct Call
    {
        qint64 due;
        quint64 sequence;
        QPointer<QObject> context;
        std::function<void()> callback;
    };

    qint64 m_now = 1000;
    quint64 m_sequence = 0;
    std::vector<Call> m_pending;
};
