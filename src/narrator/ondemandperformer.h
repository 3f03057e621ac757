#pragma once

#include "narrator/performer.h"

#include <functional>

namespace narrator {

/// Stands in for a performer that is costly to make, and makes it only for the first request.
/// The wizard's window and artwork, his voice and the sound device are not needed before he
/// first appears, which is long after the program has put its first window on screen.
class OnDemandPerformer final : public Performer
{
    Q_OBJECT
public:
    /// `make` returns a new performer, which this one then owns; it is called once at most.
    explicit OnDemandPerformer(std::function<Performer *()> make, QObject *parent = nullptr);

    void perform(const Request &request) override;

private:
    std::function<Performer *()> m_make;
    Performer *m_performer = nullptr;
};

} // namespace narrator
