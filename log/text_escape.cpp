#include "log/text_escape.h"

#include <algorithm>

std::string EscapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    EscapeTextInto(text, out);
    return out;
}

void EscapeTextInto(std::string_view text, std::string& out)
{
    // Runs of plain characters are copied whole.
    std::size_t nPlain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n' && c != '\t' && c != '\\')
            continue;
        out.append(text.data() + nPlain, i - nPlain);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            // A lone line break would split the stored line; keep it as a
            // line break (it reads back as CR LF).
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\\n";
        }
        nPlain = i + 1;
    }
    out.append(text.data() + nPlain, text.size() - nPlain);
}

std::string UnescapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // The text up to the next backslash is copied whole.
        const std::size_t nEscape = std::min(text.find('\\', i), text.size());
        out.append(text.data() + i, nEscape - i);
        i = nEscape;
        if (i == text.size())
            break;
        if (++i == text.size())
            break; // a trailing lone backslash is dropped
        const char next = text[i];
        if (next == 'n')
            out += "\r\n";
        else if (next == 't')
            out += '\t';
        else
            out += next;
    }
    return out;
}
