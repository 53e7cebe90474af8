#pragma once
// Dense numbers for the object identifiers a debrief uses, so that tables
// kept per identifier cost in proportion to the file rather than to the
// 65536 identifiers there could be.
#include "debrief/debrief_event.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class CIdSlots {
public:
    // Numbers every object and parent of the events. A large file keeps the
    // identifiers themselves as numbers; a small one numbers the identifiers
    // it holds in ascending order.
    void Assign(const std::vector<DebriefEvent>& events);

    // Whether every identifier is its own slot.
    bool AreIdentifiers() const { return m_bDirect; }
    // Size of a table with an entry per slot, the spare slot included.
    std::uint32_t TableSize() const { return Spare() + 1; }
    // The slot of an identifier; an identifier the events do not use gets
    // the spare slot, which no event writes to.
    std::uint32_t Of(std::uint16_t nId) const
    {
        if (m_bDirect)
            return nId;
        const auto it = std::lower_bound(m_ids.begin(), m_ids.end(), nId);
        return it != m_ids.end() && *it == nId ? static_cast<std::uint32_t>(it - m_ids.begin()) : Spare();
    }

private:
    static constexpr std::uint32_t kIdCount = 65536;
    std::uint32_t Spare() const { return m_bDirect ? kIdCount : static_cast<std::uint32_t>(m_ids.size()); }

    bool m_bDirect = false;           // the slots are the identifiers
    std::vector<std::uint16_t> m_ids; // otherwise: the identifiers used, ascending
};
