#include <gtest/gtest.h>

#include "platform/file_dialog.h"
#include "tests/support/test_host.h"

TEST(FileDialogTest, FilterTextBecomesNamePatternPairs)
{
    using F = std::vector<CFileFilter>;
    struct {
        const char* pszFilter;
        F filters;
    } cases[] = {
        {"Windows Bitmaps|*.bmp|All Files|*.*||", F{{"Windows Bitmaps", "*.bmp"}, {"All Files", "*.*"}}},
        {"Logs|*.log", F{{"Logs", "*.log"}}},
        {"Images|*.bmp;*.dib||ignored|*.x||", F{{"Images", "*.bmp;*.dib"}}},
        {"Name without pattern||", F{}},
        {"A|*.a|B||", F{{"A", "*.a"}}},
        {"", F{}},
        {"||", F{}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFileDialog::ParseFilter(c.pszFilter), c.filters) << c.pszFilter;
}

TEST(FileDialogTest, FilterIndexAndDefaultExtension)
{
    CFileDialog dlg(false, "log", "pilot.log", OFN_OVERWRITEPROMPT, "Log Files|*.log|All Files|*.*||");
    EXPECT_EQ(dlg.GetFilterIndex(), 1);
    for (auto [nIn, nValid] : {std::pair{0, 1}, {2, 2}, {3, 2}, {-5, 1}}) {
        dlg.SetFilterIndex(nIn);
        EXPECT_EQ(dlg.GetValidFilterIndex(), nValid) << nIn;
    }
    struct {
        const char* pszIn;
        const char* pszOut;
    } paths[] = {{"/tmp/pilot", "/tmp/pilot.log"}, {"/tmp/pilot.txt", "/tmp/pilot.txt"},
                 {"C:\\a.b\\pilot", "C:\\a.b\\pilot.log"}, {"/tmp/", "/tmp/"}, {"", ""}};
    for (const auto& p : paths)
        EXPECT_EQ(dlg.AddDefaultExtension(p.pszIn), p.pszOut) << p.pszIn;
    CFileDialog noExt(true, "", "VORTANE.EXE", OFN_HIDEREADONLY, "");
    EXPECT_EQ(noExt.AddDefaultExtension("/games/vortane"), "/games/vortane");
}

TEST(FileDialogTest, TheTestHostChecksTheRequestAndAnswers)
{
    CTestHost host;
    host.ExpectFileDialog("/logs/b.log", 2)
        .AsOpen(false)
        .WithFileName("pilot.log")
        .WithDefExt("log")
        .WithFilter("Log Files|*.log|All Files|*.*||")
        .WithFlags(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY)
        .WithFilterIndex(1);
    host.ExpectFileDialogCancel();
    CFileDialog dlg(false, "log", "pilot.log", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, "Log Files|*.log|All Files|*.*||");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), "/logs/b.log");
    EXPECT_EQ(dlg.GetFilterIndex(), 2);
    CFileDialog second(true, "", "", 0, "");
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(second.GetPathName(), "");
    ASSERT_EQ(host.GetFileDialogRequests().size(), 2u);
    EXPECT_TRUE(host.GetFileDialogRequests()[1].m_bOpen);
}
