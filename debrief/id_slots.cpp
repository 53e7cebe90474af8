// CIdSlots: dense numbers for the identifiers a debrief uses.
#include "debrief/id_slots.h"

namespace {

// From this many events on, tables of every identifier cost no more than
// the events themselves.
constexpr std::size_t kDirectEvents = 4096;

} // namespace

void CIdSlots::Assign(const std::vector<DebriefEvent>& events)
{
    m_ids.clear();
    m_bDirect = events.size() >= kDirectEvents;
    if (m_bDirect)
        return;
    m_ids.reserve(2 * events.size());
    for (const DebriefEvent& event : events) {
        m_ids.push_back(event.object);
        m_ids.push_back(event.parent);
    }
    std::sort(m_ids.begin(), m_ids.end());
    m_ids.erase(std::unique(m_ids.begin(), m_ids.end()), m_ids.end());
}
