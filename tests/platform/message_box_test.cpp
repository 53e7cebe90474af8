#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "platform/message_box_text.h"
#include "tests/support/test_host.h"

TEST(MessageBoxTest, BoxesWithoutAnIconShowTheExclamation)
{
    struct {
        unsigned nType;
        unsigned nShown;
    } cases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION},
        {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
        {MB_YESNO, MB_YESNO | MB_ICONEXCLAMATION},
        {MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONEXCLAMATION},
        {MB_OK | MB_ICONSTOP, MB_OK | MB_ICONSTOP},
        {MB_YESNO | MB_ICONQUESTION, MB_YESNO | MB_ICONQUESTION},
        {0x0040 | 0x0009, MB_OK | MB_ICONEXCLAMATION}, // unknown icon and buttons
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeMessageBoxType(c.nType), c.nShown) << c.nType;
}

TEST(MessageBoxTest, AnswersNobodyGivesAreCancelThenNoThenOK)
{
    EXPECT_EQ(GetDefaultMessageBoxAnswer(MB_OK), IDOK);
    EXPECT_EQ(GetDefaultMessageBoxAnswer(MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(GetDefaultMessageBoxAnswer(MB_YESNO), IDNO);
    EXPECT_EQ(GetDefaultMessageBoxAnswer(MB_YESNOCANCEL), IDCANCEL);
}

TEST(MessageBoxTest, TheHostSeesTheNormalisedType)
{
    CTestHost host;
    host.ExpectMessageBox("Save changes to the current log?", MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    host.ExpectMessageBox("Could Not Open x", MB_OK | MB_ICONSTOP);
    EXPECT_EQ(AfxMessageBox("Save changes to the current log?", MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox("Could Not Open x", MB_OK | MB_ICONSTOP), IDOK);
}

TEST(MessageBoxTest, WithoutAHostTheBoxIsPrintedAndGetsTheDefault)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(AfxMessageBox("Discard changes?\r\nReally?", MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Question:\nDiscard changes?\r\nReally?\n");
}
