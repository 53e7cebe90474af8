#include "dialogs/event_column_widths.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "platform/dialog.h"

std::array<int, kEventColumns> CEventColumnWidths::Measure(const CDialog& dlg, int nListId,
                                                           const std::vector<DebriefEvent>& events,
                                                           const std::vector<std::uint32_t>* pRows)
{
    std::array<int, kEventColumns> widest{};
    for (int c = 0; c < kEventColumns; ++c)
        widest[static_cast<std::size_t>(c)] = Widest(dlg, nListId, GetEventTextKind(c), DistinctKeys(events, pRows, c));
    return widest;
}

std::vector<std::uint32_t> CEventColumnWidths::DistinctKeys(const std::vector<DebriefEvent>& events,
                                                            const std::vector<std::uint32_t>* pRows, int nColumn)
{
    const std::size_t nRows = pRows ? pRows->size() : events.size();
    auto keyOf = [&](std::size_t nRow) { return GetEventKey(events[pRows ? (*pRows)[nRow] : nRow], nColumn); };
    std::vector<std::uint32_t> keys;
    const std::uint32_t nBound = GetEventKeyBound(GetEventTextKind(nColumn));
    if (nBound > 0) {
        m_seen.assign(nBound, false);
        for (std::size_t i = 0; i < nRows; ++i) {
            const std::uint32_t nKey = keyOf(i);
            if (!m_seen[nKey]) {
                m_seen[nKey] = true;
                keys.push_back(nKey);
            }
        }
        return keys;
    }
    // Times come in runs of equal seconds, mostly in order.
    std::unordered_set<std::uint32_t> seen;
    std::uint32_t nLast = 0;
    for (std::size_t i = 0; i < nRows; ++i) {
        const std::uint32_t nKey = keyOf(i);
        if (i > 0 && nKey == nLast)
            continue;
        nLast = nKey;
        if (seen.insert(nKey).second)
            keys.push_back(nKey);
    }
    return keys;
}

int CEventColumnWidths::Widest(const CDialog& dlg, int nListId, EEventTextKind eKind,
                               const std::vector<std::uint32_t>& keys)
{
    CKnownWidths& known = m_known[static_cast<std::size_t>(eKind)];
    const std::uint32_t nBound = GetEventKeyBound(eKind);
    if (nBound > 0 && known.m_byKey.empty())
        known.m_byKey.assign(nBound, -1);
    auto find = [&](std::uint32_t nKey) -> int {
        if (nBound > 0)
            return known.m_byKey[nKey];
        const auto it = known.m_byTime.find(nKey);
        return it == known.m_byTime.end() ? -1 : it->second;
    };

    std::vector<std::uint32_t> unknown;
    std::vector<std::string> texts;
    for (const std::uint32_t nKey : keys)
        if (find(nKey) < 0) {
            unknown.push_back(nKey);
            texts.push_back(FormatEventKey(eKind, nKey));
        }
    if (!texts.empty()) {
        const std::vector<int> widths = dlg.GetStringWidths(nListId, texts);
        for (std::size_t i = 0; i < unknown.size(); ++i) {
            const int nWidth = i < widths.size() ? std::max(widths[i], 0) : 0;
            if (nBound > 0)
                known.m_byKey[unknown[i]] = nWidth;
            else
                known.m_byTime[unknown[i]] = nWidth;
        }
    }

    int nWidest = 0;
    for (const std::uint32_t nKey : keys)
        nWidest = std::max(nWidest, find(nKey));
    return nWidest;
}
