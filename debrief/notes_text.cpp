// CNotesText: a text in blocks.
#include "debrief/notes_text.h"

#include <algorithm>

CNotesText& CNotesText::AppendToNewBlocks(std::string_view text)
{
    while (!text.empty()) {
        if (m_nRoom == 0) {
            m_nLastBlockSize = m_blocks.empty() ? kFirstBlockSize : std::min(kBlockSize, 2 * m_nLastBlockSize);
            m_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_nLastBlockSize));
            m_starts.push_back(m_nSize);
            m_pEnd = m_blocks.back().get();
            m_nRoom = m_nLastBlockSize;
        }
        const std::size_t nTake = std::min(text.size(), m_nRoom);
        std::memcpy(m_pEnd, text.data(), nTake);
        m_pEnd += nTake;
        m_nRoom -= nTake;
        m_nSize += nTake;
        text.remove_prefix(nTake);
    }
    return *this;
}

void CNotesText::AppendOwn(std::size_t nOffset, std::size_t nLength)
{
    // Piece by piece: a piece copied never lies in the block being filled
    // beyond what it already holds.
    VisitPieces(nOffset, nLength, [this](std::string_view piece) { *this += piece; });
}

void CNotesText::Reserve(std::size_t nBytes)
{
    if (m_nSize == 0)
        m_head.reserve(nBytes);
}

void CNotesText::MoveTo(std::string& strText)
{
    if (strText.empty() && m_blocks.empty()) {
        strText.swap(m_head);
        // Room the text used little of is not kept beside it.
        if (strText.capacity() / 2 > strText.size())
            strText.shrink_to_fit();
    } else {
        strText.reserve(strText.size() + m_nSize);
        strText += m_head;
        for (std::size_t k = 0; k < m_blocks.size(); ++k) {
            strText.append(m_blocks[k].get(), BlockSize(k));
            m_blocks[k].reset();
        }
    }
    m_head = std::string();
    m_blocks.clear();
    m_starts.clear();
    m_nLastBlockSize = 0;
    m_pEnd = nullptr;
    m_nRoom = 0;
    m_nSize = 0;
}
