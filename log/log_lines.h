#pragma once
// The lines of a log file's text as the reader sees them, and the tests on
// them that the reader and the section index share.
#include "platform/ascii_text.h"

#include <cstddef>
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
