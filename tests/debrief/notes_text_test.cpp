// The blocked notes text against a plain string.
#include "debrief/notes_text.h"

#include <gtest/gtest.h>

#include <random>

// Random pieces and copies of earlier pieces, with no head, a head the text
// outgrows, and a head that holds it all; handed to an empty string and to
// one with text of its own.
TEST(NotesText, AppendsAndCopiesOwnPiecesAcrossHeadAndBlocks)
{
    for (const std::size_t nRoom : {std::size_t{0}, std::size_t{1} << 20, std::size_t{8} << 20}) {
        for (const std::string strBefore : {"", "before "}) {
            SCOPED_TRACE(testing::Message() << "room " << nRoom << ", before \"" << strBefore << '"');
            std::mt19937 random(7);
            auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
            CNotesText text;
            text.Reserve(nRoom);
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
            std::string strText = strBefore;
            text.MoveTo(strText);
            EXPECT_EQ(strText, strBefore + strExpected);
            EXPECT_EQ(text.size(), 0u);
            // Emptied, it serves again.
            text += "again";
            std::string strAgain;
            text.MoveTo(strAgain);
            EXPECT_EQ(strAgain, "again");
        }
    }
}
