#include "dialogs/prefs_dlg.h"

#include <gtest/gtest.h>

#include "res/resource_ids.h"
#include "tests/support/test_host.h"

namespace {

using namespace PrefsIds;

// The values start-up reads when the settings file holds none.
void SetDefaults(CPrefsDlg& dlg)
{
    dlg.m_nDateFormat = 1;
    dlg.m_bAccumulatePilotTime = 1;
    dlg.m_strVortaneDir = "";
    dlg.m_bIgnoreGndKills = 1;
    dlg.m_bLogEvents = 1;
    dlg.m_bRejectUnkKills = 0;
}

TEST(PrefsDlg, ShowsTheValuesItIsGiven)
{
    CTestHost host;
    CPrefsDlg dlg;
    SetDefaults(dlg);
    host.ExpectDialog(IDD_PREFERENCES, [](CDialogDriver& d) {
        EXPECT_EQ(d.Caption(), "Sortavel Preferences");
        EXPECT_EQ(d.Text(IDC_VORTANE_DIR), "");
        EXPECT_TRUE(d.IsChecked(IDC_LOG_EVENTS));
        EXPECT_TRUE(d.IsChecked(IDC_IGNORE_GND_KILLS));
        EXPECT_FALSE(d.IsChecked(IDC_REJECT_UNK_KILLS));
        EXPECT_TRUE(d.IsChecked(IDC_ACCUMULATE_PILOT));
        EXPECT_FALSE(d.IsChecked(IDC_ACCUMULATE_CAREER));
        EXPECT_TRUE(d.IsChecked(IDC_DATE_DMY));
        EXPECT_FALSE(d.IsChecked(IDC_DATE_MDY));
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);

    CPrefsDlg other;
    other.m_nDateFormat = 7; // any non-zero value is day first
    other.m_bAccumulatePilotTime = 0;
    other.m_strVortaneDir = "/opt/vortane";
    other.m_bRejectUnkKills = 1;
    host.ExpectDialog(IDD_PREFERENCES, [](CDialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_VORTANE_DIR), "/opt/vortane");
        EXPECT_FALSE(d.IsChecked(IDC_LOG_EVENTS));
        EXPECT_FALSE(d.IsChecked(IDC_IGNORE_GND_KILLS));
        EXPECT_TRUE(d.IsChecked(IDC_REJECT_UNK_KILLS));
        EXPECT_TRUE(d.IsChecked(IDC_ACCUMULATE_CAREER));
        EXPECT_TRUE(d.IsChecked(IDC_DATE_DMY));
        d.Escape();
    });
    EXPECT_EQ(other.DoModal(), IDCANCEL);
}

TEST(PrefsDlg, OkTakesTheControlsAndTheRadioClicks)
{
    CTestHost host;
    CPrefsDlg dlg;
    SetDefaults(dlg);
    dlg.m_strVortaneDir = "/old";
    host.ExpectDialog(IDD_PREFERENCES, [](CDialogDriver& d) {
        d.Clear(IDC_VORTANE_DIR);
        d.Type(IDC_VORTANE_DIR, "/games/vortane");
        d.Tick(IDC_LOG_EVENTS, false);
        d.Tick(IDC_REJECT_UNK_KILLS);
        d.Click(IDC_ACCUMULATE_CAREER);
        d.Click(IDC_DATE_MDY);
        EXPECT_FALSE(d.IsChecked(IDC_ACCUMULATE_PILOT));
        EXPECT_FALSE(d.IsChecked(IDC_DATE_DMY));
        d.Enter();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strVortaneDir, "/games/vortane");
    EXPECT_EQ(dlg.m_bLogEvents, 0);
    EXPECT_EQ(dlg.m_bIgnoreGndKills, 1);
    EXPECT_EQ(dlg.m_bRejectUnkKills, 1);
    EXPECT_EQ(dlg.m_bAccumulatePilotTime, 0);
    EXPECT_EQ(dlg.m_nDateFormat, 0);
}

TEST(PrefsDlg, BrowsePutsTheChosenFilesFolderInTheField)
{
    CTestHost host;
    CPrefsDlg dlg;
    dlg.m_bLogEvents = 1;
    host.ExpectDialog(IDD_PREFERENCES, [&](CDialogDriver& d) {
        d.Tick(IDC_REJECT_UNK_KILLS);
        host.ExpectFileDialog("/games/sim/VORTANE.EXE")
            .AsOpen()
            .WithFileName("VORTANE.EXE")
            .WithDefExt("")
            .WithFilter("")
            .WithFlags(OFN_HIDEREADONLY);
        d.Click(IDC_BROWSE);
        EXPECT_EQ(d.Text(IDC_VORTANE_DIR), "/games/sim");
        EXPECT_EQ(dlg.m_strVortaneDir, "/games/sim");
        EXPECT_TRUE(d.IsChecked(IDC_REJECT_UNK_KILLS));
        EXPECT_TRUE(d.IsChecked(IDC_LOG_EVENTS));
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strVortaneDir, "/games/sim");
    EXPECT_EQ(dlg.m_bRejectUnkKills, 1);
}

TEST(PrefsDlg, BrowseCancelledChangesNothing)
{
    CTestHost host;
    CPrefsDlg dlg;
    dlg.m_strVortaneDir = "/a";
    host.ExpectDialog(IDD_PREFERENCES, [&](CDialogDriver& d) {
        d.Type(IDC_VORTANE_DIR, "/typed");
        d.Tick(IDC_IGNORE_GND_KILLS);
        host.ExpectFileDialogCancel();
        d.Click(IDC_BROWSE);
        EXPECT_EQ(d.Text(IDC_VORTANE_DIR), "/a/typed");
        EXPECT_TRUE(d.IsChecked(IDC_IGNORE_GND_KILLS));
        d.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strVortaneDir, "/a/typed");
}

TEST(PrefsDlg, FolderOfTheChosenFile)
{
    const struct {
        const char* pszPath;
        const char* pszFolder;
    } cases[] = {
        {"/games/sim/VORTANE.EXE", "/games/sim"},
        {"/VORTANE.EXE", "/"},
        {"/games/sim/", "/games/sim"},
        {"VORTANE.EXE", "VORTANE.EXE"},
        {"sim/VORTANE.EXE", "sim"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CPrefsDlg::DirectoryOfFile(c.pszPath), c.pszFolder) << c.pszPath;
}

} // namespace
