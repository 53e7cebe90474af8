// The Mission Details and Kill Details dialogs in real windows, driven by
// simulated keys and clicks.
#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/stattext.h>

#include "dialogs/kill_dlg.h"
#include "dialogs/mission_dlg.h"
#include "log/app_settings.h"
#include "log/mission.h"
#include "res/resource_ids.h"
#include "tests/dialogs/record_fixtures.h"
#include "tests/gui/gui_test.h"

namespace {

// A mission with three kills and notes, as the analysis leaves one.
void FillMission(CMission& mission)
{
    mission.SetTitle("Strike on the Kub site");
    mission.SetSide(3);
    mission.SetResult(0);
    mission.SetPilotStatus(1);
    mission.SetFlown(CTime(1998, 12, 5, 21, 7, 33));
    mission.SetTakeoff(90);
    mission.SetDuration(2530);
    mission.SetComments("00:20:05\tLaunched R-27r, Hit Russian SU-27\r\n"
                        "00:24:40\tDropped 2 FAB-500s, Hit Russian Kub Launcher\r\n"
                        "Flak over the bridge; RTB low.");
    SetKill(*mission.AddKill(), {1205, 1212, 1, 68, 60, 1, 1, 0});
    SetKill(*mission.AddKill(), {1480, 1490, 1, 41, 3, 2, 0, 0});
    SetKill(*mission.AddKill(), {1480, 1491, 1, 40, 3, 1, 0, 0});
}

template <class T>
void Collect(wxWindow* pParent, std::vector<T*>& found)
{
    for (wxWindow* pChild : pParent->GetChildren()) {
        if (auto p = dynamic_cast<T*>(pChild))
            found.push_back(p);
        Collect(pChild, found);
    }
}

// Every shown label and button text fits its control.
void ExpectTextsWhole(int nTemplateId)
{
    std::vector<wxControl*> controls;
    Collect(FindDialogWindow(nTemplateId)->GetWindow(), controls);
    for (wxControl* p : controls) {
        if (p->IsShown() && (dynamic_cast<wxStaticText*>(p) || dynamic_cast<wxButton*>(p))) {
            EXPECT_LE(p->GetTextExtent(p->GetLabel()).x, p->GetSize().x) << p->GetLabel();
        }
    }
}

wxWindow* MissionControl(int nId) { return FindControl(IDD_MISSION, nId); }
wxWindow* KillControl(int nId) { return FindControl(IDD_KILL, nId); }

bool IsActive(int nTemplateId)
{
    CDialogWindow* pWindow = FindDialogWindow(nTemplateId);
    return pWindow && pWindow->GetWindow()->IsActive();
}

using RecordEditorsGui = CGuiTest;

TEST_F(RecordEditorsGui, MissionEditedByKeysAndClicksThroughBothDialogs)
{
    CAppSettings settings;
    settings.m_nDateFormat = 1;
    CMission mission;
    FillMission(mission);
    const CKill firstKill = *mission.GetKill(0);

    CMissionDlg dlg;
    dlg.m_pMission = &mission;
    CKillDlg* pKillDlg = nullptr;
    int nChosenTarget = -1;
    CGuiScript script;
    WaitForWindow(script, IDD_MISSION)
        .Do([&] {
            wxTopLevelWindow* pWindow = FindDialogWindow(IDD_MISSION)->GetWindow();
            EXPECT_FALSE(pWindow->HasFlag(wxCLOSE_BOX));
            EXPECT_FALSE(MissionControl(IDCANCEL)->IsEnabled());
            EXPECT_EQ(static_cast<wxListBox*>(MissionControl(MissionIds::IDC_KILL_LIST))->GetCount(), 3u);
            ExpectTextsWhole(IDD_MISSION);
            EXPECT_TRUE(SaveScreenshot(pWindow, "mission_dlg"));
            ClickOn(MissionControl(MissionIds::IDC_DURATION));
        })
        .WaitFor("the duration focused", [&] { return dlg.HasFocus(MissionIds::IDC_DURATION); })
        .Do([] {
            PressKey('A', wxMOD_CONTROL);
            TypeText("1430");
        })
        .WaitFor("14 h 30 min typed", [&] { return mission.GetDuration() == CTimeSpan(14 * 3600 + 30 * 60); })
        .Do([&] { ClickOn(MissionControl(MissionIds::IDC_ADD_KILL)); })
        .WaitFor("Kill Details over the mission", [] { return IsActive(IDD_KILL); })
        .Do([&] {
            pKillDlg = static_cast<CKillDlg*>(&FindDialogWindow(IDD_KILL)->GetDialog());
            EXPECT_TRUE(pKillDlg->HasFocus(KillIds::IDC_WEAPON)); // the first control
            PressKey(WXK_DOWN);
            PressKey(WXK_DOWN);
        })
        .WaitFor("a weapon chosen with the keyboard", [&] { return mission.GetKill(3)->GetWeapon() == 3; })
        .Do([&] { ClickOn(KillControl(KillIds::IDC_TARGET)); })
        .WaitFor("the target list dropped down", [] { return !IsActive(IDD_KILL); })
        .Do([&] {
            // The list opens with its current entry under the pointer; a
            // click further down picks a later one.
            wxWindow* pTarget = KillControl(KillIds::IDC_TARGET);
            ClickAt(pTarget, pTarget->GetSize().x / 2, pTarget->GetSize().y * 3);
        })
        .WaitFor("a target chosen with the mouse",
                 [&] {
                     nChosenTarget = pKillDlg->GetCurSel(KillIds::IDC_TARGET);
                     return nChosenTarget > 0 && IsActive(IDD_KILL);
                 })
        .Do([&] {
            ClickAt(KillControl(KillIds::IDC_AIRBORNE_TARGET), 8,
                    KillControl(KillIds::IDC_AIRBORNE_TARGET)->GetSize().y / 2);
        })
        .WaitFor("airborne ticked", [&] { return mission.GetKill(3)->GetAirKill() == 1; })
        .Do([&] {
            ExpectTextsWhole(IDD_KILL);
            EXPECT_TRUE(SaveScreenshot(FindDialogWindow(IDD_KILL)->GetWindow(), "kill_dlg"));
            ClickOn(KillControl(IDOK));
        })
        .WaitFor("the new kill listed and selected",
                 [&] {
                     return IsActive(IDD_MISSION) && dlg.GetCount(MissionIds::IDC_KILL_LIST) == 4 &&
                            dlg.GetCurSel(MissionIds::IDC_KILL_LIST) == 3;
                 })
        .Do([&] { ClickOn(MissionControl(MissionIds::IDC_ADD_KILL)); })
        .WaitFor("Kill Details for another kill", [] { return IsActive(IDD_KILL); })
        .Do([&] {
            ClickAt(KillControl(KillIds::IDC_PRIMARY_TARGET), 8,
                    KillControl(KillIds::IDC_PRIMARY_TARGET)->GetSize().y / 2);
        })
        .WaitFor("primary ticked",
                 [&] { return mission.GetKillCount() == 5 && mission.GetKill(4)->GetTargetKill() == 1; })
        .Do([&] { ClickOn(KillControl(IDCANCEL)); })
        .WaitFor("the other kill cancelled", [&] { return IsActive(IDD_MISSION) && mission.GetKillCount() == 4; })
        .Do([&] {
            wxListBox* pList = static_cast<wxListBox*>(MissionControl(MissionIds::IDC_KILL_LIST));
            DoubleClickAt(pList, 20, pList->GetCharHeight() / 2 + 2);
        })
        .WaitFor("Kill Details on the first kill", [] { return IsActive(IDD_KILL); })
        .Do([&] {
            ClickAt(KillControl(KillIds::IDC_PRIMARY_TARGET), 8,
                    KillControl(KillIds::IDC_PRIMARY_TARGET)->GetSize().y / 2);
        })
        .WaitFor("the first kill changed", [&] { return mission.GetKill(0)->GetTargetKill() == 1; })
        .Do([] { PressKey(WXK_ESCAPE); })
        .WaitFor("the first kill as it was",
                 [&] { return IsActive(IDD_MISSION) && mission.GetKill(0)->GetTargetKill() == 0; })
        .Do([] { PressKey(WXK_ESCAPE); }) // does not end Mission Details
        .Do([&] { ClickOn(MissionControl(IDOK)); });
    script.Start();

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(mission.GetDuration(), CTimeSpan(52200));
    ASSERT_EQ(mission.GetKillCount(), 4);
    const CKill& added = *mission.GetKill(3);
    EXPECT_EQ(added.GetWeapon(), 3);
    EXPECT_EQ(added.GetTarget(), nChosenTarget);
    EXPECT_EQ(added.GetAirKill(), 1);
    EXPECT_EQ(added.GetTargetKill(), 0);
    const CKill& first = *mission.GetKill(0);
    EXPECT_EQ(first.GetTargetKill(), firstKill.GetTargetKill());
    EXPECT_EQ(first.GetAirKill(), firstKill.GetAirKill());
    EXPECT_EQ(first.IsModified(), firstKill.IsModified());
    EXPECT_EQ(mission.GetTitle(), "Strike on the Kub site");
}

} // namespace
