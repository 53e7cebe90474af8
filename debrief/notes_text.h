#pragma once
// A long text built by appending, held in blocks so that growing it never
// copies what it already holds: the event notes of a long flight run to many
// megabytes, and a single string would need twice that while it grows. Room
// reserved before the first piece makes a head string that is filled first
// and handed over whole, without a copy, when the text fits into it.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CNotesText {
public:
    std::size_t size() const { return m_nSize; }

    // Room for nBytes in the head; only while the text is empty. What the
    // text does not reach is only reserved, never written.
    void Reserve(std::size_t nBytes);

    CNotesText& operator+=(std::string_view text)
    {
        if (m_blocks.empty()) {
            if (text.size() <= m_head.capacity() - m_head.size()) {
                m_head.append(text);
                m_nSize += text.size();
                return *this;
            }
        } else if (!text.empty() && text.size() <= m_nRoom) {
            // Most pieces fit into the block being filled.
            std::memcpy(m_pEnd, text.data(), text.size());
            m_pEnd += text.size();
            m_nRoom -= text.size();
            m_nSize += text.size();
            return *this;
        }
        return AppendToNewBlocks(text);
    }
    CNotesText& operator+=(char c) { return *this += std::string_view(&c, 1); }
    // Appends nLength characters of this text from nOffset (both within it).
    void AppendOwn(std::size_t nOffset, std::size_t nLength);
    // Calls visit(std::string_view) with the pieces of the nLength characters
    // from nOffset (both within this text), in order.
    template <typename Visit>
    void VisitPieces(std::size_t nOffset, std::size_t nLength, Visit visit) const
    {
        if (nLength > 0 && nOffset < m_head.size()) {
            // The head grows only within its room: the piece stays put.
            const std::size_t nTake = std::min(nLength, m_head.size() - nOffset);
            visit(std::string_view(m_head.data() + nOffset, nTake));
            nOffset += nTake;
            nLength -= nTake;
        }
        while (nLength > 0) {
            const std::size_t nBlock = BlockOf(nOffset);
            const std::size_t nInBlock = nOffset - m_starts[nBlock];
            const std::size_t nTake = std::min(nLength, BlockSize(nBlock) - nInBlock);
            // The piece is read before visit may append: a block never moves.
            visit(std::string_view(m_blocks[nBlock].get() + nInBlock, nTake));
            nOffset += nTake;
            nLength -= nTake;
        }
    }

    // Appends the whole text to strText, giving up each block once copied;
    // this text is empty afterwards. A text held whole in its head becomes
    // an empty strText without a copy.
    void MoveTo(std::string& strText);

private:
    CNotesText& AppendToNewBlocks(std::string_view text);
    // The block holding the character at nOffset (past the head, < size()).
    std::size_t BlockOf(std::size_t nOffset) const
    {
        return static_cast<std::size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), nOffset) -
                                        m_starts.begin()) -
               1;
    }
    // Characters held by block nBlock.
    std::size_t BlockSize(std::size_t nBlock) const
    {
        return (nBlock + 1 < m_starts.size() ? m_starts[nBlock + 1] : m_nSize) - m_starts[nBlock];
    }

    // The blocks grow from the first size to the last by doubling, so that a
    // short text costs a short block.
    static constexpr std::size_t kFirstBlockSize = std::size_t{1} << 12;
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    std::string m_head;                            // the text up to the first block
    std::vector<std::unique_ptr<char[]>> m_blocks; // each full but the last
    std::vector<std::size_t> m_starts;             // offset of each block's first character
    std::size_t m_nLastBlockSize = 0;              // the room of the last block
    char* m_pEnd = nullptr;                        // where the next character goes
    std::size_t m_nRoom = 0;                       // left in the last block
    std::size_t m_nSize = 0;
};
