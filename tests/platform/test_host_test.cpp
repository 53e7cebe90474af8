#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "platform/file_dialog.h"
#include "platform/wait_cursor.h"
#include "tests/platform/sample_dialog.h"
#include "tests/support/test_host.h"

TEST(TestHostTest, NestedRunsMeetExpectationsInOrder)
{
    CTestHost host;
    std::vector<std::string> order;
    host.ExpectDialog(IDD_SAMPLE, [&](CDialogDriver& outer) {
        // Given here, these come before the message box given below for later.
        host.ExpectDialog(IDD_SAMPLE, [&](CDialogDriver& inner) {
            host.ExpectFileDialog("/inner/file");
            CFileDialog file(true, "", "", 0, "");
            EXPECT_EQ(file.DoModal(), IDOK);
            order.push_back(file.GetPathName());
            inner.Escape();
        });
        host.ExpectMessageBox("after the inner dialog", MB_OK);
        CSampleDlg innerDlg;
        EXPECT_EQ(innerDlg.DoModal(), IDCANCEL);
        AfxMessageBox("after the inner dialog");
        order.push_back("outer");
        outer.Click(IDOK);
    });
    host.ExpectMessageBox("last", MB_YESNO, IDNO);
    CSampleDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(AfxMessageBox("last", MB_YESNO), IDNO);
    EXPECT_EQ(order, (std::vector<std::string>{"/inner/file", "outer"}));
    EXPECT_EQ(host.GetMessageTexts(), (std::vector<std::string>{"after the inner dialog", "last"}));
}

TEST(TestHostTest, WhatNobodyExpectedFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            CTestHost host;
            EXPECT_EQ(AfxMessageBox("surprise", MB_YESNO), IDNO);
        },
        "unexpected message box \"surprise\"");
    EXPECT_NONFATAL_FAILURE(
        {
            CTestHost host;
            CSampleDlg dlg;
            EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        },
        "unexpected dialog 900 \"Sample\"");
    EXPECT_NONFATAL_FAILURE(
        {
            CTestHost host;
            host.ExpectMessageBox("never shown", MB_OK);
        },
        "expected message box \"never shown\" never came");
    EXPECT_NONFATAL_FAILURE(
        {
            CTestHost host;
            host.ExpectDialog(IDD_SAMPLE, [](CDialogDriver&) {});
            CSampleDlg dlg;
            EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        },
        "the script left dialog 900 open");
    EXPECT_NONFATAL_FAILURE(
        {
            CTestHost host;
            host.ExpectDialog(IDD_SAMPLE, [](CDialogDriver& d) {
                d.Click(IDC_S_DISABLED);
                d.Escape();
            });
            CSampleDlg dlg;
            dlg.DoModal();
        },
        "it is disabled");
    EXPECT_NONFATAL_FAILURE(
        {
            CTestHost host;
            host.ExpectMessageBox("Invalid Duration", MB_OK | MB_ICONSTOP);
            AfxMessageBox("Invalid Duration", MB_OK);
        },
        "buttons and icon");
}

TEST(TestHostTest, WaitCursorNests)
{
    CTestHost host;
    {
        CWaitCursor outer;
        CWaitCursor inner;
        EXPECT_EQ(host.GetWaitCursorDepth(), 2);
    }
    EXPECT_EQ(host.GetWaitCursorDepth(), 0);
    EXPECT_EQ(host.GetWaitCursorCount(), 2);
}
