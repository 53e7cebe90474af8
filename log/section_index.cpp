// CSectionIndex: the header lines of a log file by name.
#include "log/section_index.h"

#include "log/log_lines.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

// Eight characters at a time; bit 5 set in every byte folds ASCII capitals
// onto small letters (and a few other pairs together, which only costs a
// comparison).
std::uint32_t HashNoCase(std::string_view name)
{
    constexpr std::uint64_t kFold = 0x2020202020202020ull;
    constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15ull;
    std::uint64_t nHash = name.size() * kMix;
    std::size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        std::uint64_t nWord;
        std::memcpy(&nWord, name.data() + i, sizeof nWord);
        nHash = ((nHash ^ (nWord | kFold)) * kMix) ^ (nHash >> 29);
    }
    std::uint64_t nWord = 0;
    std::memcpy(&nWord, name.data() + i, name.size() - i);
    nHash = (nHash ^ (nWord | kFold)) * kMix;
    return static_cast<std::uint32_t>(nHash ^ (nHash >> 32));
}

} // namespace

CSectionIndex::CSectionIndex(std::string_view text) : m_text(text)
{
    std::string_view line;
    for (std::size_t nPos = 0; NextHeaderLine(text, nPos, line);)
        m_headers.push_back({static_cast<std::size_t>(line.data() - text.data()) + 1, line.size() - 2, nPos, kEmpty,
                             HashNoCase(HeaderName(line))});

    std::size_t nSlots = 16;
    while (nSlots < 2 * m_headers.size())
        nSlots *= 2;
    m_slots.assign(nSlots, CSlot{0, kEmpty});
    // The table is larger than the processor's caches: each header's slot
    // is fetched a few headers ahead of its turn.
    constexpr std::uint32_t kAhead = 8;
    const std::size_t nMask = nSlots - 1;
    std::vector<std::uint32_t> last(m_headers.size()); // per name, by its first header
    for (std::uint32_t i = 0; i < m_headers.size(); ++i) {
        if (i + kAhead < m_headers.size())
            __builtin_prefetch(&m_slots[m_headers[i + kAhead].nHash & nMask]);
        const std::uint32_t nHash = m_headers[i].nHash;
        CSlot& slot = m_slots[Slot(NameOf(i), nHash)];
        if (slot.nFirst == kEmpty) {
            slot = {nHash, i};
            last[i] = i;
        } else {
            m_bDuplicates = true;
            m_headers[last[slot.nFirst]].nNext = i;
            last[slot.nFirst] = i;
        }
    }
}

std::string_view CSectionIndex::NameOf(std::uint32_t nHeader) const
{
    return m_text.substr(m_headers[nHeader].nName, m_headers[nHeader].nLength);
}

std::size_t CSectionIndex::Slot(std::string_view name, std::uint32_t nHash) const
{
    const std::size_t nMask = m_slots.size() - 1;
    for (std::size_t i = nHash & nMask;; i = (i + 1) & nMask) {
        const CSlot& slot = m_slots[i];
        if (slot.nFirst == kEmpty || (slot.nHash == nHash && EqualName(NameOf(slot.nFirst), name)))
            return i;
    }
}

// The memory reads backwards through the text leave without the
// processor's look-ahead: the two sections before the header, asked for a
// little later, are fetched meanwhile.
void CSectionIndex::PrefetchBefore(std::uint32_t nHeader) const
{
    constexpr std::size_t kLine = 64;
    constexpr std::size_t kMaxLines = 4;
    for (std::uint32_t k = nHeader; k > 0 && k + 2 > nHeader; --k) {
        const std::size_t nBegin = m_headers[k - 1].nName - 1;
        const std::size_t nEnd = std::min(m_headers[k].nName - 1, nBegin + kMaxLines * kLine);
        for (std::size_t n = nBegin; n < nEnd; n += kLine)
            __builtin_prefetch(m_text.data() + n);
        __builtin_prefetch(&m_headers[k - 1]);
    }
}

std::size_t CSectionIndex::Find(std::string_view name, std::size_t nAfter)
{
    // Sections are mostly asked for next to the last one found (a file
    // written backwards, or one that lacks some sections); with every name
    // once in the file, the neighbours are tried first.
    if (!m_bDuplicates && m_nLast != kEmpty) {
        for (const std::uint32_t i : {m_nLast + 1, m_nLast - 1})
            if (i < m_headers.size() && EqualName(NameOf(i), name)) {
                if (i < m_nLast)
                    PrefetchBefore(i);
                m_nLast = i;
                return m_headers[i].nEnd;
            }
    }
    const std::uint32_t nFirst = m_slots[Slot(name, HashNoCase(name))].nFirst;
    if (nFirst == kEmpty)
        return npos;
    std::uint32_t nFound = nFirst;
    for (std::uint32_t i = nFirst; i != kEmpty; i = m_headers[i].nNext)
        if (m_headers[i].nEnd > nAfter) {
            nFound = i;
            break;
        }
    m_nLast = nFound;
    return m_headers[nFound].nEnd;
}
