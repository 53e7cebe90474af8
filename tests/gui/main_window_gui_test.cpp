// The main window in a real window, started as the program starts: a log of
// three careers, stepped through with the up-down arrows, edited with real
// keys and clicks, a debrief logged through the file chooser, and left with
// the question answered.
#include <filesystem>
#include <memory>

#include <wx/button.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/time.h>

#include "app/log_app.h"
#include "app/log_dlg.h"
#include "log/log_doc.h"
#include "log/log_file.h"
#include "res/resource_ids.h"
#include "tests/app/app_test_env.h"
#include "tests/gui/gui_test.h"
#include "tests/support/debrief_builder.h"

namespace {

using namespace LogDlgIds;

wxWindow* Control(int nId) { return FindControl(IDD_LOG_DIALOG, nId); }
CLogDlg& MainWindow() { return static_cast<CLogDlg&>(FindDialogWindow(IDD_LOG_DIALOG)->GetDialog()); }
CPilot& Pilot() { return *GetCurrentLogDoc()->GetPilot(); }

void ClickArrow(int nStep)
{
    wxWindow* pSpin = Control(IDC_CAREER_SPIN);
    const wxSize size = pSpin->GetSize();
    ClickAt(pSpin, size.x / 2, nStep > 0 ? size.y / 4 : size.y * 3 / 4);
}

CMission& AddMission(CCareer& career, const char* pszTitle, CTime flown, int nResult, int nStatus, int nMinutes)
{
    CMission& mission = *career.AddMission();
    mission.SetTitle(pszTitle);
    mission.SetFlown(flown);
    mission.SetResult(nResult);
    mission.SetPilotStatus(nStatus);
    mission.SetDuration(nMinutes * 60);
    return mission;
}

void AddKills(CMission& mission, std::uint16_t nTarget, int nCount, int bAir = 0, int bPrimary = 0)
{
    for (int i = 0; i < nCount; ++i) {
        CKill& kill = *mission.AddKill();
        kill.SetTarget(nTarget);
        kill.SetAirKill(bAir);
        kill.SetTargetKill(bPrimary);
    }
}

// A pilot's portrait, drawn here and saved as a JPEG.
void WritePhoto(const std::string& strPath)
{
    wxImage image(96, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 96; ++x) {
            const int dx = x - 48, dyHead = y - 44, dyBody = y - 128;
            const bool bHead = dx * dx + dyHead * dyHead < 22 * 22;
            const bool bBody = dx * dx + dyBody * dyBody < 44 * 44;
            if (bHead || bBody)
                image.SetRGB(x, y, 60, 70, 60);
            else
                image.SetRGB(x, y, 150 + y / 2, 175 + y / 3, 215);
        }
    image.SaveFile(wxString::FromUTF8(strPath), wxBITMAP_TYPE_JPEG);
}

class MainWindowGui : public CGuiTest {
protected:
    void SetUp() override
    {
        CGuiTest::SetUp();
        if (IsSkipped())
            return;
        std::filesystem::create_directories(m_env.Path("sim"));
        WriteFlight(m_env.Path("sim/debrf.tmp"), "Evening CAP", Seconds(900));
        WriteFlight(m_env.Path("raid.stt"), "Night Raid", Seconds(900));
        m_env.WriteSettings("[Preferences]\nInit=1\nShow_Mission=0\nVortane_Dir=" + m_env.Path("sim") +
                            "\n[File]\nLast_STT=" + m_env.Path("raid.stt") + "\n");
    }

    // Three careers: the first ended KIA, the last one current.
    std::string WriteFixtureLog()
    {
        const std::string strPhoto = m_env.Path("portrait.jpg");
        WritePhoto(strPhoto);
        CPilot pilot;
        pilot.SetName("Anna Koval");
        pilot.SetCallsign("Kestrel");
        pilot.SetUnit("3rd Tactical Wing");
        pilot.SetRank("Captain");
        pilot.SetPhoto(strPhoto);
        CCareer& first = *pilot.GetCareer(0);
        AddMission(first, "Maiden Flight", CTime(1998, 11, 2, 19, 40, 0), 0, 0, 42);
        AddKills(AddMission(first, "Bridge Strike", CTime(1998, 11, 9, 20, 5, 0), 2, 1, 55), 6, 1, 0, 1);
        AddMission(first, "Last Stand", CTime(1998, 11, 14, 21, 15, 0), 2, 3, 17);
        CCareer& second = *pilot.AddCareer();
        AddMission(second, "Recovery Sortie", CTime(1998, 12, 1, 10, 0, 0), 0, 0, 38);
        AddMission(second, "Harbour Patrol", CTime(1998, 12, 3, 11, 30, 0), 1, 2, 61);
        CCareer& third = *pilot.AddCareer();
        CMission& sweep = AddMission(third, "Fighter Sweep", CTime(1998, 12, 20, 18, 45, 0), 0, 0, 48);
        AddKills(sweep, 45, 2, 1);
        CMission& sead = AddMission(third, "SEAD Kub Site", CTime(1998, 12, 22, 7, 10, 0), 0, 1, 52);
        AddKills(sead, 40, 1);
        AddKills(sead, 41, 2);
        AddKills(AddMission(third, "Convoy Interdiction", CTime(1998, 12, 24, 21, 30, 0), 0, 0, 44), 70, 4);
        AddKills(AddMission(third, "Anti-Ship Strike", CTime(1998, 12, 27, 9, 0, 0), 2, 0, 66), 188, 1);
        CMission& depot = AddMission(third, "Fuel Depot", CTime(1999, 1, 3, 14, 20, 0), 0, 0, 39);
        AddKills(depot, 53, 2, 0, 1);
        AddKills(depot, 12, 1);
        AddMission(third, "Escort", CTime(1999, 1, 5, 16, 0, 0), 1, 0, 71);
        return m_env.WriteLog(pilot);
    }

    CAppTestEnv m_env;
};

TEST_F(MainWindowGui, StepTypeDeleteLogAndExitWithYes)
{
    const std::string strLog = WriteFixtureLog();
    CLogApp app({"/LOG", strLog});
    int nRows = 0;
    wxTopLevelWindow* pBox = nullptr;
    CGuiScript script(15000);
    WaitForWindow(script, IDD_LOG_DIALOG)
        .Do([&] {
            CLogDlg& dlg = MainWindow();
            EXPECT_EQ(FindDialogWindow(IDD_LOG_DIALOG)->GetWindow()->GetTitle(), wxString::FromUTF8(strLog));
            EXPECT_EQ(dlg.GetDlgItemText(IDC_KILLS_SAMS), "2");
            EXPECT_EQ(dlg.GetDlgItemText(IDC_CAREER_RANGE), "20/12/98:1845 - Present");
            EXPECT_NE(dlg.GetPictureBitmap(IDC_PHOTO), nullptr);
            EXPECT_TRUE(static_cast<wxStaticBitmap*>(Control(IDC_PHOTO))->GetBitmap().IsOk());
            EXPECT_TRUE(SaveScreenshot(FindDialogWindow(IDD_LOG_DIALOG)->GetWindow(), "main_window"));
            ClickArrow(-1);
        })
        .WaitFor("the second career", [] { return Pilot().GetCurrentCareerIndex() == 1; })
        .Do([] { ClickArrow(-1); })
        .WaitFor(
            "the first career, ended KIA",
            [] { return Pilot().GetCurrentCareerIndex() == 0 && MainWindow().GetDlgItemText(IDC_STATUS) == "KIA"; })
        .Do([] {
            EXPECT_EQ(MainWindow().GetDlgItemText(IDC_CAREER_RANGE), "02/11/98:1940 - 14/11/98:2115");
            EXPECT_EQ(static_cast<wxListBox*>(Control(IDC_MISSION_LIST))->GetCount(), 3u);
            ClickArrow(-1); // stays on the first
            ClickArrow(1);
            ClickArrow(1);
        })
        .WaitFor("the last career again", [] { return Pilot().GetCurrentCareerIndex() == 2; })
        .Do([] { ClickOn(Control(IDC_NAME)); })
        .WaitFor("the name focused", [] { return MainWindow().HasFocus(IDC_NAME); })
        .Do([] {
            PressKey(WXK_END);
            TypeText(" Jr");
        })
        .WaitFor("the name typed", [] { return Pilot().GetName() == "Anna Koval Jr"; })
        .Do([&] {
            nRows = MainWindow().GetCount(IDC_MISSION_LIST);
            ClickAt(Control(IDC_MISSION_LIST), 20, 6);
        })
        .WaitFor("the first row selected", [] { return MainWindow().GetCurSel(IDC_MISSION_LIST) == 0; })
        .Do([] { ClickOn(Control(IDC_DEL)); })
        .WaitFor("the row deleted", [&] { return MainWindow().GetCount(IDC_MISSION_LIST) == nRows - 1; })
        .Do([] {
            EXPECT_EQ(MainWindow().GetItemText(IDC_MISSION_LIST, 0), "SEAD Kub Site");
            EXPECT_EQ(MainWindow().GetCurSel(IDC_MISSION_LIST), 0);
            DoubleClickAt(Control(IDC_MISSION_LIST), 20, 6);
        })
        .WaitFor("Mission Details on the row",
                 [] {
                     CDialogWindow* pDetails = FindDialogWindow(IDD_MISSION);
                     return pDetails && pDetails->GetWindow()->IsActive();
                 })
        .Do([] { PressKey(WXK_RETURN); }) // "Close"
        .WaitFor("the main window active", [] { return FindDialogWindow(IDD_LOG_DIALOG)->GetWindow()->IsActive(); })
        .Do([] { ClickOn(Control(IDC_LOG_MISSION)); })
        .WaitFor("the file chooser", [] { return FindToolkitWindow() && FindToolkitWindow()->IsShown(); })
        .WaitFor("the file chooser ready",
                 [nStart = std::make_shared<long long>(-1)] {
                     const long long nNow = wxGetLocalTimeMillis().GetValue();
                     if (*nStart < 0)
                         *nStart = nNow;
                     return nNow - *nStart >= 500;
                 })
        .Do([] {
            MovePointerInto(FindToolkitWindow());
            PressKey(WXK_RETURN); // the remembered debrief is selected
        })
        .WaitFor("the debrief logged",
                 [&] {
                     CLogDlg& dlg = MainWindow();
                     const int nLast = dlg.GetCount(IDC_MISSION_LIST) - 1;
                     return nLast == nRows - 1 && dlg.GetItemText(IDC_MISSION_LIST, nLast) == "Night Raid" &&
                            dlg.GetCurSel(IDC_MISSION_LIST) == nLast;
                 })
        .WaitFor("the main window active", [] { return FindDialogWindow(IDD_LOG_DIALOG)->GetWindow()->IsActive(); })
        .Do([] { ClickOn(Control(ID_APP_EXIT)); })
        .WaitFor("the question", [&] { return (pBox = FindToolkitWindow()) && pBox->IsActive(); })
        .Do([&] {
            EXPECT_NE(FindChildWithLabel(pBox, "Save changes to the current log?"), nullptr);
            ClickOn(pBox->FindWindow(wxID_YES));
        });
    script.Start();

    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(app.GetExitCode(), kExitOk);
    CLogFile file(strLog);
    CPilot saved;
    saved.Load(file);
    EXPECT_EQ(saved.GetName(), "Anna Koval Jr");
    ASSERT_EQ(saved.GetCareerCount(), 3);
    EXPECT_EQ(saved.GetCareer(2)->GetMissionCount(), nRows);
    EXPECT_EQ(saved.GetCareer(2)->GetMission(0)->GetTitle(), "SEAD Kub Site");
    EXPECT_EQ(saved.GetCareer(2)->GetMission(-1)->GetTitle(), "Night Raid");
}

TEST_F(MainWindowGui, KeysMenusAndTheCloseBox)
{
    const std::string strLog = WriteFixtureLog();
    CLogApp app({"/LOG", strLog});
    int nRows = 0;
    wxTopLevelWindow* pBox = nullptr;
    auto window = [] { return FindDialogWindow(IDD_LOG_DIALOG); };
    CGuiScript script(15000);
    WaitForWindow(script, IDD_LOG_DIALOG)
        .Do([&] {
            nRows = MainWindow().GetCount(IDC_MISSION_LIST);
            MovePointerInto(window()->GetWindow());
            PressKey(WXK_F10);
        })
        .WaitFor("the File menu open", [&] { return window()->IsMenuOpen(); })
        .Do([] { PressKey(WXK_ESCAPE); })
        .WaitFor("the menu closed", [&] { return !window()->IsMenuOpen(); })
        .WaitFor("a moment for a stray Escape",
                 [nStart = std::make_shared<long long>(-1)] {
                     const long long nNow = wxGetLocalTimeMillis().GetValue();
                     if (*nStart < 0)
                         *nStart = nNow;
                     return nNow - *nStart >= 300;
                 })
        .Do([&] {
            EXPECT_FALSE(MainWindow().IsEnded());
            EXPECT_EQ(FindToolkitWindow(), nullptr);
            ClickAt(Control(IDC_MISSION_LIST), 20, 6);
        })
        .WaitFor("the list focused", [] { return MainWindow().HasFocus(IDC_MISSION_LIST); })
        .Do([] { PressKey(WXK_RETURN); }) // "Log Last Mission", the default button
        .WaitFor("the simulator's debrief logged",
                 [&] {
                     return MainWindow().GetCount(IDC_MISSION_LIST) == nRows + 1 &&
                            MainWindow().GetItemText(IDC_MISSION_LIST, nRows) == "Evening CAP";
                 })
        .Do([&] { window()->GetWindow()->Close(); }) // the close box
        .WaitFor("the question", [&] { return (pBox = FindToolkitWindow()) && pBox->IsActive(); })
        .Do([&] { ClickOn(pBox->FindWindow(wxID_CANCEL)); })
        .WaitFor("the question gone", [] { return FindToolkitWindow() == nullptr; })
        .Do([&] {
            EXPECT_FALSE(MainWindow().IsEnded());
            window()->GetWindow()->Close();
        })
        .WaitFor("the question again", [&] { return (pBox = FindToolkitWindow()) && pBox->IsActive(); })
        .Do([&] { ClickOn(pBox->FindWindow(wxID_NO)); });
    script.Start();

    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(script.IsFinished());
    EXPECT_EQ(CAppTestEnv::MissionTitles(strLog).size(), 11u); // nothing saved
}

TEST_F(MainWindowGui, ANewLogIsUntitledAndItsTextsFit)
{
    CLogApp app;
    CGuiScript script;
    WaitForWindow(script, IDD_LOG_DIALOG).Do([] {
        wxTopLevelWindow* pWindow = FindDialogWindow(IDD_LOG_DIALOG)->GetWindow();
        EXPECT_EQ(pWindow->GetTitle(), "Untitled");
        // Every text whole: labels and buttons are wide enough for theirs.
        for (int nId : {IDC_STATUS, IDC_FLIGHT_TIME, IDC_CAREER_RANGE}) {
            auto* pLabel = static_cast<wxStaticText*>(Control(nId));
            EXPECT_LE(pLabel->GetTextExtent(pLabel->GetLabel()).x, pLabel->GetSize().x) << nId;
        }
        for (int nId : {IDC_CUT, IDC_PASTE, IDC_ADD, IDC_EDIT, IDC_DEL, IDC_LOG_LAST, IDC_LOG_MISSION, ID_FILE_PRINT,
                        ID_APP_EXIT}) {
            auto* pButton = static_cast<wxButton*>(Control(nId));
            EXPECT_LE(pButton->GetTextExtent(pButton->GetLabel()).x + 8, pButton->GetSize().x) << nId;
        }
        EXPECT_TRUE(SaveScreenshot(pWindow, "main_window_new"));
        ClickOn(Control(ID_APP_EXIT));
    });
    script.Start();
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(script.IsFinished());
}

} // namespace
