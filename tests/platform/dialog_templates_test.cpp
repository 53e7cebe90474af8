#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "tests/support/test_host.h"

TEST(DialogTemplatesTest, PreferencesHoldsItsControlsAndTwoRadioGroups)
{
    using namespace PrefsIds;
    const CDialogTemplate& tmpl = GetDialogTemplate(IDD_PREFERENCES);
    EXPECT_EQ(tmpl.m_strCaption, "Sortavel Preferences");
    EXPECT_EQ((CSize{tmpl.cx, tmpl.cy}), (CSize{238, 127}));
    for (int nId : {IDC_VORTANE_DIR, IDC_BROWSE, IDC_LOG_EVENTS, IDC_IGNORE_GND_KILLS, IDC_REJECT_UNK_KILLS,
                    IDC_ACCUMULATE_PILOT, IDC_ACCUMULATE_CAREER, IDC_DATE_DMY, IDC_DATE_MDY, IDOK, IDCANCEL})
        EXPECT_NE(tmpl.FindControl(nId), nullptr) << nId;
    EXPECT_EQ(tmpl.FindControl(IDC_REJECT_UNK_KILLS)->m_strText, "Ignore All Kills of \"Unknown\" Objects");
    EXPECT_TRUE(tmpl.FindControl(IDC_LOG_EVENTS)->m_nStyle & BS_MULTILINE);
    EXPECT_TRUE(tmpl.FindControl(IDOK)->m_nStyle & BS_DEFPUSHBUTTON);

    CDialog dlg(tmpl);
    dlg.OpenModel();
    EXPECT_EQ(dlg.GetFocusId(), IDC_VORTANE_DIR);
    dlg.CheckRadioButton(IDC_ACCUMULATE_PILOT, IDC_ACCUMULATE_CAREER, IDC_ACCUMULATE_PILOT);
    dlg.CheckRadioButton(IDC_DATE_DMY, IDC_DATE_MDY, IDC_DATE_DMY);
    dlg.UserClick(IDC_ACCUMULATE_CAREER);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_ACCUMULATE_PILOT), 0);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_DATE_DMY), 1);
}

TEST(DialogTemplatesTest, AboutBoxShowsTheNameBetweenTwoPictures)
{
    const CDialogTemplate& tmpl = GetDialogTemplate(IDD_ABOUTBOX);
    EXPECT_EQ(tmpl.m_strCaption, "About the Sortavel Manager");
    EXPECT_EQ((CSize{tmpl.cx, tmpl.cy}), (CSize{161, 130}));
    std::vector<std::string> lines;
    std::vector<int> bitmaps;
    for (const CControlTemplate& ctl : tmpl.m_controls) {
        if (ctl.m_eKind == EControlKind::Static)
            lines.push_back(ctl.m_strText);
        if (ctl.m_eKind == EControlKind::Picture)
            bitmaps.push_back(ctl.m_nBitmapId);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"Sortavel", "Manager", "for", "Vortane"}));
    EXPECT_EQ(bitmaps, (std::vector<int>{IDB_ABOUT_LEFT, IDB_PHOTO_DEFAULT}));
    CTestHost host;
    host.ExpectDialog(IDD_ABOUTBOX, [](CDialogDriver& d) { d.Enter(); });
    CDialog about(tmpl);
    EXPECT_EQ(about.DoModal(), IDOK);
}

TEST(DialogTemplatesTest, UnknownTemplateIsAProgramError)
{
    EXPECT_EQ(FindDialogTemplate(4711), nullptr);
    CTestHost host;
    host.ExpectProgramError("no dialog template 4711");
    EXPECT_TRUE(GetDialogTemplate(4711).m_controls.empty());
}

TEST(DialogTemplatesTest, MainMenuListsTheCommandsInOrder)
{
    const CMenuTemplate& menu = GetMainMenu();
    std::vector<std::string> bar;
    for (const CMenuItem& popup : menu.m_items)
        bar.push_back(popup.m_strText);
    EXPECT_EQ(bar, (std::vector<std::string>{"File", "Careers", "Settings", "Debrief", "Help"}));
    std::vector<int> file;
    for (const CMenuItem& item : menu.m_items[0].m_items)
        file.push_back(item.m_nFlags & MF_SEPARATOR ? 0 : item.m_nId);
    EXPECT_EQ(file, (std::vector<int>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_REVERT, 0, ID_FILE_SAVE, ID_FILE_SAVE_AS, 0,
                                      ID_FILE_PRINT_SETUP, ID_FILE_PRINT, 0, ID_APP_EXIT}));
    for (int nId : {ID_FILE_PRINT_SETUP, ID_FILE_PRINT})
        EXPECT_TRUE(FindMenuItem(menu, nId)->m_nFlags & MF_GRAYED);
    EXPECT_EQ(FindMenuItem(menu, ID_APP_ABOUT)->m_strText, "About...");
    EXPECT_EQ(FindMenuItem(menu, 12345), nullptr);
}
