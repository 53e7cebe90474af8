#pragma once
// Letter case and blanks the way the program's files and answers treat them:
// only the ASCII letters have a case, so any other byte (UTF-8 or
// Windows-1252) compares as it is. Inline: the log reader calls them per line.
#include <algorithm>
#include <string>
#include <string_view>

// What isspace() calls white space in the C locale.
inline constexpr std::string_view kAsciiSpace = " \t\r\n\v\f";

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
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
