// CNotesText: a text in blocks.
#include "debrief/notes_text.h"

#include <algorithm>

CNotesText& CNotesText::operator+=(std::string_view text)
{
    while (!text.empty()) {
        if (m_blocks.empty() || m_blocks.back().size() == m_blocks.back().capacity()) {
            const std::size_t nRoom = m_blocks.empty() ? kFirstBlockSize
                                                       : std::min(kBlockSize, 2 * m_blocks.back().capacity());
            m_blocks.emplace_back();
            m_blocks.back().reserve(nRoom);
            m_starts.push_back(m_nSize);
        }
        std::string& block = m_blocks.back();
        const std::size_t nTake = std::min(text.size(), block.capacity() - block.size());
        block.append(text.substr(0, nTake));
        text.remove_prefix(nTake);
        m_nSize += nTake;
    }
    return *this;
}

void CNotesText::AppendOwn(std::size_t nOffset, std::size_t nLength)
{
    // Piece by piece: a piece copied never lies in the block being filled
    // beyond what it already holds.
    while (nLength > 0) {
        const std::size_t nBlock = static_cast<std::size_t>(
                                       std::upper_bound(m_starts.begin(), m_starts.end(), nOffset) - m_starts.begin()) -
                                   1;
        const std::string& block = m_blocks[nBlock];
        const std::size_t nInBlock = nOffset - m_starts[nBlock];
        const std::size_t nTake = std::min(nLength, block.size() - nInBlock);
        const std::string_view piece(block.data() + nInBlock, nTake);
        // Appending may start a new block but never moves an existing one's
        // characters: each block keeps its reserved room.
        *this += piece;
        nOffset += nTake;
        nLength -= nTake;
    }
}

void CNotesText::MoveTo(std::string& strText)
{
    strText.reserve(strText.size() + m_nSize);
    for (std::string& block : m_blocks) {
        strText += block;
        std::string().swap(block);
    }
    m_blocks.clear();
    m_starts.clear();
    m_nSize = 0;
}
