// The Preferences dialog in a real window, driven by simulated mouse clicks
// and key presses.
#include <gtest/gtest.h>

#include "dialogs/prefs_dlg.h"
#include "res/resource_ids.h"
#include "tests/gui/gui_test.h"

namespace {

using namespace PrefsIds;

class PrefsDlgGui : public CGuiTest {};

TEST_F(PrefsDlgGui, RadioClickTypedDirectoryAndOk)
{
    CHostScope scope(*GetGuiHost());

    CPrefsDlg dlg;
    dlg.m_nDateFormat = 1;
    dlg.m_bAccumulatePilotTime = 1;
    dlg.m_bIgnoreGndKills = 1;
    dlg.m_bLogEvents = 1;
    dlg.m_bRejectUnkKills = 0;

    auto control = [](int nId) { return FindControl(IDD_PREFERENCES, nId); };
    CGuiScript script;
    WaitForWindow(script, IDD_PREFERENCES)
        .Do([&] { ClickAt(control(IDC_DATE_MDY), 6, control(IDC_DATE_MDY)->GetSize().y / 2); })
        .WaitFor("mm/dd/yy selected", [&] { return dlg.m_nDateFormat == 0; })
        .Do([&] { ClickAt(control(IDC_REJECT_UNK_KILLS), 6, control(IDC_REJECT_UNK_KILLS)->GetSize().y / 2); })
        .WaitFor("the kill box ticked", [&] { return dlg.IsDlgButtonChecked(IDC_REJECT_UNK_KILLS) == 1; })
        .Do([&] { ClickOn(control(IDC_VORTANE_DIR)); })
        .WaitFor("the directory focused", [&] { return dlg.HasFocus(IDC_VORTANE_DIR); })
        .Do([] { TypeText("/games/sim"); })
        .WaitFor("the directory typed", [&] { return dlg.GetDlgItemText(IDC_VORTANE_DIR) == "/games/sim"; })
        .Do([&] { EXPECT_TRUE(SaveScreenshot(FindDialogWindow(IDD_PREFERENCES)->GetWindow(), "prefs_dlg")); })
        .Do([&] { ClickOn(control(IDOK)); });
    script.Start();

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(dlg.m_nDateFormat, 0);
    EXPECT_EQ(dlg.m_bAccumulatePilotTime, 1);
    EXPECT_EQ(dlg.m_strVortaneDir, "/games/sim");
    EXPECT_EQ(dlg.m_bRejectUnkKills, 1);
    EXPECT_EQ(dlg.m_bLogEvents, 1);
    EXPECT_EQ(dlg.m_bIgnoreGndKills, 1);
}

} // namespace
