#pragma once
// The lines of a log file's text as the reader sees them, and the tests on
// them that the reader and the section index share; the copying of the
// writer's short texts.
#include "platform/ascii_text.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// The line starting at nPos: up to an LF, without a CR just before that LF
// (the last line may lack its LF, and then keeps a final CR). Moves nPos to
// the next line; false when nPos is at the end.
inline bool NextLogLine(std::string_view text, std::size_t& nPos, std::string_view& line)
{
    if (nPos >= text.size())
        return false;
    const char* pBegin = text.data() + nPos;
    const std::size_t nLeft = text.size() - nPos;
    const auto* pLf = static_cast<const char*>(std::memchr(pBegin, '\n', nLeft));
    if (pLf == nullptr) {
        line = {pBegin, nLeft};
        nPos = text.size();
        return true;
    }
    std::size_t nLength = static_cast<std::size_t>(pLf - pBegin);
    nPos += nLength + 1;
    if (nLength > 0 && pBegin[nLength - 1] == '\r')
        --nLength;
    line = {pBegin, nLength};
    return true;
}

// A header while searching: longer than 2 characters, "[" first.
inline bool IsHeaderLine(std::string_view line) { return line.size() > 2 && line[0] == '['; }

// The next header line at or after nPos (see IsHeaderLine), skipping the
// lines between: only lines starting with "[" are looked at.
inline bool NextHeaderLine(std::string_view text, std::size_t& nPos, std::string_view& line)
{
    while (nPos < text.size()) {
        if (text[nPos] != '[') {
            // The next "[" that starts a line.
            const char* pStart = text.data() + nPos;
            const char* pEnd = text.data() + text.size();
            for (;;) {
                const auto* p = static_cast<const char*>(
                    std::memchr(pStart, '[', static_cast<std::size_t>(pEnd - pStart)));
                if (p == nullptr) {
                    nPos = text.size();
                    return false;
                }
                if (p[-1] == '\n') {
                    nPos = static_cast<std::size_t>(p - text.data());
                    break;
                }
                pStart = p + 1;
            }
        }
        if (NextLogLine(text, nPos, line) && IsHeaderLine(line))
            return true;
    }
    return false;
}

// The text between the first and the last character of a "[...]" line.
inline std::string_view HeaderName(std::string_view line)
{
    return line.size() < 2 ? std::string_view{} : line.substr(1, line.size() - 2);
}

// EqualNoCase for the short names of sections and keys, which mostly differ
// in a character or two: words that differ even with bit 5 set in every
// byte (which lowers every ASCII capital) differ in any case, and no
// character needs comparing on its own.
template <class TWord>
inline int CompareNameWords(const char* a, const char* b, std::size_t n)
{
    TWord a0, a1, b0, b1;
    std::memcpy(&a0, a, sizeof a0);
    std::memcpy(&b0, b, sizeof b0);
    std::memcpy(&a1, a + n - sizeof a1, sizeof a1);
    std::memcpy(&b1, b + n - sizeof b1, sizeof b1);
    if (a0 == b0 && a1 == b1)
        return 1; // the same bytes
    const auto nBit5 = static_cast<TWord>(0x2020202020202020ull);
    return ((a0 | nBit5) != (b0 | nBit5) || (a1 | nBit5) != (b1 | nBit5)) ? 0 : -1; // -1: may differ in case only
}

// Names that may differ only in case, compared character by character.
[[gnu::noinline]] inline bool EqualNameSlowly(std::string_view a, std::string_view b) { return EqualNoCase(a, b); }

inline bool EqualName(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size();
    if (n != b.size())
        return false;
    int nSame = -1;
    if (n >= 8 && n <= 16)
        nSame = CompareNameWords<std::uint64_t>(a.data(), b.data(), n);
    else if (n >= 4 && n < 8)
        nSame = CompareNameWords<std::uint32_t>(a.data(), b.data(), n);
    return nSame < 0 ? EqualNameSlowly(a, b) : nSame == 1;
}

// The first "=" or LF at or after p, else pEnd; eight bytes at a time where
// eight remain.
inline const char* FindEqualsOrLf(const char* p, const char* pEnd)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    // The lowest flagged bit is the first byte only where memory is
    // little-endian; elsewhere a byte at a time.
    while (std::endian::native == std::endian::little && pEnd - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t nEquals = word ^ (kOnes * '=');
        const std::uint64_t nLf = word ^ (kOnes * '\n');
        // The lowest byte flagged is the first zero byte of either.
        const std::uint64_t nFound = (((nEquals - kOnes) & ~nEquals) | ((nLf - kOnes) & ~nLf)) & kHigh;
        if (nFound != 0)
            return p + __builtin_ctzll(nFound) / 8;
        p += 8;
    }
    while (p < pEnd && *p != '=' && *p != '\n')
        ++p;
    return p;
}

// The first LF at or after p, else nullptr: the short values of most lines
// end within the first eight bytes, looked at without a library call.
inline const char* FindLf(const char* p, const char* pEnd)
{
    if (std::endian::native == std::endian::little && pEnd - p >= 8) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t nLf = word ^ (kOnes * '\n');
        const std::uint64_t nFound = (nLf - kOnes) & ~nLf & (kOnes * 0x80);
        if (nFound != 0)
            return p + __builtin_ctzll(nFound) / 8;
        p += 8;
    }
    return static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(pEnd - p)));
}

// Copies text to p and returns its end; the short texts of most lines
// without a library call.
[[gnu::always_inline]] inline char* CopyText(char* p, std::string_view text)
{
    const char* const s = text.data();
    const std::size_t n = text.size();
    if (n > 16) {
        std::memcpy(p, s, n);
    } else if (n >= 8) {
        std::memcpy(p, s, 8);
        std::memcpy(p + n - 8, s + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(p, s, 4);
        std::memcpy(p + n - 4, s + n - 4, 4);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            p[i] = s[i];
    }
    return p + n;
}
