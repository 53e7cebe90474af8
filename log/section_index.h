#pragma once
// Where each header line of a log file's text ends, by section name (ASCII
// case ignored), so that sections asked for out of file order, or missing
// ones, are found without reading the file again.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class CSectionIndex {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    // Every header line of text (see IsHeaderLine). The text must outlive
    // the index.
    explicit CSectionIndex(std::string_view text);

    // The offset just after the first header of that name that ends after
    // nAfter, else after the first header of that name; npos for none.
    std::size_t Find(std::string_view name, std::size_t nAfter);

private:
    struct CHeader {
        std::size_t nName;   // offset of the name in the text
        std::size_t nLength; // of the name
        std::size_t nEnd;    // offset after the header line
        std::uint32_t nNext; // next header of the same name, in file order
        std::uint32_t nHash; // of the name
    };
    struct CSlot {
        std::uint32_t nHash;  // of the name
        std::uint32_t nFirst; // first header of the name, or none
    };
    std::string_view NameOf(std::uint32_t nHeader) const;
    // Of the name (hashed), or the empty one for it.
    std::size_t Slot(std::string_view name, std::uint32_t nHash) const;
    void PrefetchBefore(std::uint32_t nHeader) const;

    std::string_view m_text;
    std::vector<CHeader> m_headers; // in file order
    std::vector<CSlot> m_slots;
    bool m_bDuplicates = false;         // some name has more than one header
    std::uint32_t m_nLast = 0xFFFFFFFF; // the header found last
};
