// The blocked notes text against a plain string.
#include "debrief/notes_text.h"

#include <gtest/gtest.h>

#include <random>

TEST(NotesText, AppendsAndCopiesOwnPiecesAcrossBlocks)
{
    std::mt19937 random(7);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    CNotesText text;
    std::string strExpected;
    // Past the growing blocks into several full ones.
    while (strExpected.size() < (std::size_t{5} << 20)) {
        if (strExpected.empty() || pick(2) == 0) {
            std::string strPiece(pick(20000) + 1, ' ');
            for (char& c : strPiece)
                c = static_cast<char>('a' + pick(26));
            text += strPiece;
            strExpected += strPiece;
        } else {
            const std::size_t nOffset = pick(strExpected.size());
            const std::size_t nLength = std::min(pick(20000) + 1, strExpected.size() - nOffset);
            text.AppendOwn(nOffset, nLength);
            strExpected += strExpected.substr(nOffset, nLength);
        }
        ASSERT_EQ(text.size(), strExpected.size());
    }
    std::string strText = "before ";
    text.MoveTo(strText);
    EXPECT_EQ(strText, "before " + strExpected);
    EXPECT_EQ(text.size(), 0u);
}
