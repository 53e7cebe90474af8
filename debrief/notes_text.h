#pragma once
// A long text built by appending, held in blocks so that growing it never
// copies what it already holds: the event notes of a long flight run to many
// megabytes, and a single string would need twice that while it grows.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CNotesText {
public:
    std::size_t size() const { return m_nSize; }

    CNotesText& operator+=(std::string_view text);
    CNotesText& operator+=(char c) { return *this += std::string_view(&c, 1); }
    // Appends nLength characters of this text from nOffset (both within it).
    void AppendOwn(std::size_t nOffset, std::size_t nLength);

    // Appends the whole text to strText, giving up each block once copied;
    // this text is empty afterwards.
    void MoveTo(std::string& strText);

private:
    // The blocks grow from the first size to the last by doubling, so that a
    // short text costs a short block.
    static constexpr std::size_t kFirstBlockSize = std::size_t{1} << 12;
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
    std::vector<std::string> m_blocks; // each full to its reserved room but the last
    std::vector<std::size_t> m_starts; // offset of each block's first character
    std::size_t m_nSize = 0;
};
