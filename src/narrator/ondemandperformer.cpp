#include "narrator/ondemandperformer.h"

namespace narrator {

OnDemandPerformer::OnDemandPerformer(std::function<Performer *()> make, QObject *parent)
    : Performer(parent), m_make(std::move(make))
{}

void OnDemandPerformer::perform(const Request &request)
{
    if (!m_performer) {
        m_performer = m_make();
        m_performer->setParent(this);
        connect(m_performer, &Performer::finished, this, &Performer::finished);
    }
    m_performer->perform(request);
}

} // namespace narrator
