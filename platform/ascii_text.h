#pragma once
// Letter case and blanks the way the program's files and answers treat them:
// only the ASCII letters have a case, so any other byte (UTF-8 or
// Windows-1252) compares as it is. Inline: the log reader calls them per line.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// What isspace() calls white space in the C locale.
inline constexpr std::string_view kAsciiSpace = " \t\r\n\v\f";

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// One of kAsciiSpace.
inline bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Moves pos past white space and a sign before a number; true for a minus.
inline bool SkipBlanksAndSign(std::string_view text, std::size_t& pos)
{
    while (pos < text.size() && IsAsciiSpace(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        return text[pos++] == '-';
    return false;
}

// A decimal number after white space, with an optional sign, up to the
// first non-digit; digits accumulate in unsigned 32-bit arithmetic, so an
// overflow wraps (the low bits of the number are exact). 0 without digits.
inline std::uint32_t ParseWrappingDecimal(std::string_view text)
{
    std::size_t pos = 0;
    const bool bNegative = SkipBlanksAndSign(text, pos);
    std::uint32_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = value * 10u + static_cast<std::uint32_t>(text[pos] - '0');
    return bNegative ? 0u - value : value;
}

// The same bytes; short texts (names and keys) compared a word at a time.
inline bool SameBytes(const char* a, const char* b, std::size_t n)
{
    const auto load = [](const char* p, auto word) {
        std::memcpy(&word, p, sizeof word);
        return word;
    };
    if (n > 16)
        return std::memcmp(a, b, n) == 0;
    if (n >= 8)
        return load(a, std::uint64_t{}) == load(b, std::uint64_t{}) &&
               load(a + n - 8, std::uint64_t{}) == load(b + n - 8, std::uint64_t{});
    if (n >= 4)
        return load(a, std::uint32_t{}) == load(b, std::uint32_t{}) &&
               load(a + n - 4, std::uint32_t{}) == load(b + n - 4, std::uint32_t{});
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// Texts of the same case are the common case, and the quick one.
inline bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    if (SameBytes(a.data(), b.data(), a.size()))
        return true;
    return std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

inline bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return prefix.size() <= text.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

inline std::string LowerCopy(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

// The text without the blanks at its ends.
inline std::string_view Trim(std::string_view text, std::string_view blanks = kAsciiSpace)
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}
