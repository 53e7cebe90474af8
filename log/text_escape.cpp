#include "log/text_escape.h"

std::string EscapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    EscapeTextInto(text, out);
    return out;
}

void EscapeTextInto(std::string_view text, std::string& out)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\\n";
            ++i;
        } else if (c == '\r' || c == '\n') {
            // A lone line break would split the stored line; keep it as a
            // line break (it reads back as CR LF).
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
}

std::string UnescapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\') {
            out += c;
            continue;
        }
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
