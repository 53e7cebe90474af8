// The escaping of texts against a character-by-character reading of its
// rules, on random texts full of the characters that matter.
#include "log/text_escape.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string EscapeOneByOne(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += c == '\r' || c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\\' ? "\\\\" : std::string(1, c);
    }
    return out;
}

std::string UnescapeOneByOne(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\')
            out += text[i];
        else if (++i < text.size())
            out += text[i] == 'n' ? "\r\n" : text[i] == 't' ? "\t" : std::string(1, text[i]);
    }
    return out;
}

} // namespace

TEST(TextEscape, AgreesWithTheRulesReadOneCharacterAtATime)
{
    std::mt19937 random(5);
    constexpr std::string_view kLetters = "ab\r\n\t\\nt";
    for (int nRound = 0; nRound < 2000; ++nRound) {
        std::string text(random() % 12, ' ');
        for (char& c : text)
            c = kLetters[random() % kLetters.size()];
        ASSERT_EQ(EscapeText(text), EscapeOneByOne(text)) << nRound;
        ASSERT_EQ(UnescapeText(text), UnescapeOneByOne(text)) << nRound;
    }
}
