#include "app/log_dlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "debrief/shape_sets.h"
#include "log/app_settings.h"
#include "log/log_doc.h"
#include "log/settings.h"
#include "res/resource_ids.h"
#include "tests/app/app_test_env.h"
#include "tests/support/debrief_builder.h"
#include "tests/support/test_host.h"

namespace {

using namespace LogDlgIds;

const char* const kSaveQuestion = "Save changes to the current log?";

CMission& AddMission(CCareer& career, const std::string& strTitle, CTime flown = CTime(915000000),
                     std::int32_t nResult = 1, std::int32_t nStatus = 0, CTimeSpan tsDuration = 0)
{
    CMission& mission = *career.AddMission();
    mission.SetTitle(strTitle);
    mission.SetFlown(flown);
    mission.SetResult(nResult);
    mission.SetPilotStatus(nStatus);
    mission.SetDuration(tsDuration);
    return mission;
}

CKill& AddKill(CMission& mission, std::uint16_t nTarget, int bAir = 0, int bPrimary = 0)
{
    CKill& kill = *mission.AddKill();
    kill.SetTarget(nTarget);
    kill.SetAirKill(bAir);
    kill.SetTargetKill(bPrimary);
    return kill;
}

class MainWindow : public ::testing::Test {
protected:
    MainWindow()
    {
        SetCurrentLogDoc(&m_doc);
        m_settings.m_nDateFormat = 1;
        m_settings.m_bAccumulatePilotTime = 1;
        m_settings.m_strVortaneDir = m_env.Path("sim");
        m_settings.m_bShowMission = 0;
    }
    ~MainWindow() override { SetCurrentLogDoc(nullptr); }

    CPilot& Pilot() { return *m_doc.GetPilot(); }
    CCareer& Career(int nIndex = kLastCareer) { return *Pilot().GetCareer(nIndex); }
    // The window open without a real one: the driver acts as the user.
    CDialogDriver Open()
    {
        m_dlg.OpenModel();
        return CDialogDriver(m_dlg);
    }
    std::vector<std::string> Titles(int nCareer)
    {
        std::vector<std::string> titles;
        for (int i = 0; i < Career(nCareer).GetMissionCount(); ++i)
            titles.push_back(Career(nCareer).GetMission(i)->GetTitle());
        return titles;
    }
    // A log on disk, loaded and unchanged, holding the pilot built by fnBuild.
    void LoadSavedLog(const std::function<void(CPilot&)>& fnBuild)
    {
        const std::string strPath = m_env.Path("pilot.log");
        m_doc.Open(strPath);
        fnBuild(Pilot());
        ASSERT_TRUE(m_doc.Save());
        m_doc.Open(strPath);
        ASSERT_FALSE(m_doc.IsModified());
    }

    CAppTestEnv m_env;
    CTestHost m_host;
    CAppSettings m_settings;
    CLogDoc m_doc;
    CLogDlg m_dlg;
};

TEST_F(MainWindow, ANewLogShowsNothingYet)
{
    m_settings.m_strVortaneDir.clear();
    CDialogDriver d = Open();
    EXPECT_EQ(d.Caption(), "Untitled");
    EXPECT_EQ(m_dlg.GetIconId(), IDR_MAINFRAME);
    for (int nId : {IDC_MISSIONS_TOTAL, IDC_MISSIONS_SUCCESSFUL, IDC_MISSIONS_FAILED, IDC_PLANES_LOST,
                    IDC_KILLS_AIRCRAFT, IDC_KILLS_SAMS, IDC_KILLS_RADARS, IDC_KILLS_SHIPS, IDC_KILLS_PRI_TARGETS,
                    IDC_KILLS_VEHICLES, IDC_KILLS_OTHER})
        EXPECT_EQ(d.Text(nId), "0") << nId;
    EXPECT_EQ(d.Text(IDC_FLIGHT_TIME), "0-00:00:00");
    EXPECT_EQ(d.Text(IDC_STATUS), "OK");
    EXPECT_EQ(d.RowCount(IDC_MISSION_LIST), 0);
    EXPECT_EQ(d.Selection(IDC_MISSION_LIST), -1);
    // With no mission the career runs from the day it was started.
    EXPECT_EQ(d.Text(IDC_CAREER_RANGE), Career().GetStarted().Format("%d/%m/%y:%H%M") + " - Present");
    EXPECT_EQ(d.PictureResource(IDC_PHOTO), IDB_PHOTO_DEFAULT);
    for (int nId : {IDC_CUT, IDC_PASTE, IDC_LOG_LAST, IDC_LOG_MISSION, ID_FILE_PRINT})
        EXPECT_FALSE(d.IsEnabled(nId)) << nId;
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(MainWindow, SummaryCountsResultsLossesAndKillsByCategory)
{
    CCareer& career = Career();
    CMission& first = AddMission(career, "Sweep", CTime(915000000), 0, 2, 3600);
    AddKill(first, 68, 1, 1); // airborne and primary: Aircraft only
    AddKill(first, 68);       // an aircraft on the ground: Vehicles
    AddKill(first, 40);       // a radar that belongs to a SAM system: Radars
    AddKill(first, 216);
    first.AddHit()->SetTarget(68); // hits and misses count nowhere
    first.AddMiss()->SetTarget(40);
    CMission& second = AddMission(career, "Strike", CTime(915100000), 2, 3, 60);
    AddKill(second, 12, 0, 1);
    AddKill(second, 103);
    AddKill(second, 12);
    AddMission(career, "", CTime(915200000), 1, 1, 1); // damaged, undecided, untitled

    CDialogDriver d = Open();
    const std::pair<int, const char*> expected[] = {
        {IDC_MISSIONS_TOTAL, "3"}, {IDC_MISSIONS_SUCCESSFUL, "1"}, {IDC_MISSIONS_FAILED, "1"},
        {IDC_PLANES_LOST, "2"},    {IDC_KILLS_AIRCRAFT, "1"},      {IDC_KILLS_VEHICLES, "1"},
        {IDC_KILLS_RADARS, "1"},   {IDC_KILLS_SAMS, "1"},          {IDC_KILLS_PRI_TARGETS, "1"},
        {IDC_KILLS_SHIPS, "1"},    {IDC_KILLS_OTHER, "1"},         {IDC_FLIGHT_TIME, "0-01:01:01"},
        {IDC_STATUS, "OK"},
    };
    for (const auto& [nId, pszText] : expected)
        EXPECT_EQ(d.Text(nId), pszText) << nId;
    EXPECT_EQ(d.Items(IDC_MISSION_LIST), (std::vector<std::string>{"Sweep", "Strike", ""}));
    EXPECT_EQ(d.Selection(IDC_MISSION_LIST), 2); // none was selected: the last row
    EXPECT_TRUE(d.IsEnabled(IDC_CUT));
}

TEST_F(MainWindow, StatusAndCareerRangeFollowTheLastMission)
{
    const CTime xmas(1998, 12, 24, 21, 30, 0);
    const CTime newYear(1999, 1, 1, 8, 5, 0);
    const struct {
        std::vector<std::int32_t> statuses; // of the missions, in order
        int nDateFormat;
        const char* pszStatus;
        const char* pszRange;
    } cases[] = {
        {{0, 0}, 1, "OK", "24/12/98:2130 - Present"},
        {{0, 0}, 0, "OK", "12/24/98:2130 - Present"},
        {{0, 1}, 1, "OK", "24/12/98:2130 - Present"},
        {{0, 2}, 1, "Ejected", "24/12/98:2130 - Present"},
        {{0, 3}, 1, "KIA", "24/12/98:2130 - 01/01/99:0805"},
        {{0, 3}, 0, "KIA", "12/24/98:2130 - 01/01/99:0805"},
        {{3, 0}, 1, "OK", "24/12/98:2130 - Present"},
        {{0, 9}, 1, "OK", "24/12/98:2130 - Present"}, // unknown: the text stays as it was
    };
    for (const auto& c : cases) {
        CLogDoc doc;
        SetCurrentLogDoc(&doc);
        m_settings.m_nDateFormat = c.nDateFormat;
        CCareer& career = *doc.GetPilot()->GetCurrentCareer();
        // Listed out of date order: the range takes the earliest and latest.
        AddMission(career, "Late", newYear, 1, c.statuses[0]);
        AddMission(career, "Early", xmas, 1, c.statuses[1]);
        CLogDlg dlg;
        dlg.OpenModel();
        EXPECT_EQ(dlg.GetDlgItemText(IDC_STATUS), c.pszStatus) << c.statuses[1];
        EXPECT_EQ(dlg.GetDlgItemText(IDC_CAREER_RANGE), c.pszRange) << c.statuses[1];
        const auto lost = [](std::int32_t n) { return n == 2 || n == 3; };
        EXPECT_EQ(dlg.GetDlgItemText(IDC_PLANES_LOST), lost(c.statuses[0]) || lost(c.statuses[1]) ? "1" : "0");
    }
    SetCurrentLogDoc(&m_doc);
}

TEST_F(MainWindow, UpDownStepsBetweenCareersWithinTheirRange)
{
    for (int bAccumulate : {1, 0}) {
        CLogDoc doc;
        SetCurrentLogDoc(&doc);
        m_settings.m_bAccumulatePilotTime = bAccumulate;
        CPilot& pilot = *doc.GetPilot();
        AddMission(*pilot.GetCareer(0), "First", CTime(915000000), 1, 3, 100);
        AddMission(*pilot.AddCareer(), "Second", CTime(916000000), 1, 0, 20);
        CLogDlg dlg;
        dlg.OpenModel();
        CDialogDriver d(dlg);
        const char* pszTotal = "0-00:02:00";
        EXPECT_EQ(d.Items(IDC_MISSION_LIST), std::vector<std::string>{"Second"});
        EXPECT_EQ(d.Text(IDC_FLIGHT_TIME), bAccumulate ? pszTotal : "0-00:00:20");
        d.Step(IDC_CAREER_SPIN, 1); // already the last
        EXPECT_EQ(pilot.GetCurrentCareerIndex(), 1);
        d.Step(IDC_CAREER_SPIN, -1);
        EXPECT_EQ(d.Items(IDC_MISSION_LIST), std::vector<std::string>{"First"});
        EXPECT_EQ(d.Text(IDC_STATUS), "KIA");
        EXPECT_EQ(d.Text(IDC_FLIGHT_TIME), bAccumulate ? pszTotal : "0-00:01:40");
        d.Step(IDC_CAREER_SPIN, -1);
        EXPECT_EQ(pilot.GetCurrentCareerIndex(), 0);
    }
    SetCurrentLogDoc(&m_doc);
}

TEST_F(MainWindow, DelKeepsTheSelectionByIndexAndAsksNothing)
{
    for (const char* psz : {"A", "B", "C", "D"})
        AddMission(Career(), psz);
    CDialogDriver d = Open();
    d.Select(IDC_MISSION_LIST, 2);
    d.Click(IDC_DEL);
    EXPECT_EQ(d.Items(IDC_MISSION_LIST), (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_EQ(d.SelectedText(IDC_MISSION_LIST), "D");
    d.Click(IDC_DEL); // the last row: nothing selected afterwards
    EXPECT_EQ(d.Items(IDC_MISSION_LIST), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(d.Selection(IDC_MISSION_LIST), -1);
    EXPECT_FALSE(d.IsEnabled(IDC_CUT));
    d.Select(IDC_MISSION_LIST, 0);
    EXPECT_TRUE(d.IsEnabled(IDC_CUT));
}

TEST_F(MainWindow, LoggingButtonsFollowTheSimulatorFolder)
{
    m_settings.m_strVortaneDir.clear();
    CDialogDriver d = Open();
    EXPECT_FALSE(d.IsEnabled(IDC_LOG_LAST));
    EXPECT_FALSE(m_dlg.UserEnter()); // the default button is disabled: nothing happens
    m_settings.m_strVortaneDir = "/games/vortane";
    m_dlg.UpdateDisplay();
    EXPECT_TRUE(d.IsEnabled(IDC_LOG_LAST));
    EXPECT_TRUE(d.IsEnabled(IDC_LOG_MISSION));
}

TEST_F(MainWindow, PhotographIsLoadedRetriedAndNamedExactly)
{
    const std::string strLower = m_env.Path("ace.bmp");
    const std::string strUpper = m_env.Path("Ace.bmp");
    Pilot().SetPhoto(strLower);
    CDialogDriver d = Open();
    EXPECT_EQ(d.PictureBitmap(IDC_PHOTO), nullptr); // missing: empty, not the built-in picture
    EXPECT_EQ(d.PictureResource(IDC_PHOTO), 0);

    CAppTestEnv::WriteFile(strLower, "BM lower");
    CAppTestEnv::WriteFile(strUpper, "BM upper");
    m_dlg.UpdateDisplay(); // the same name is tried again
    ASSERT_NE(d.PictureBitmap(IDC_PHOTO), nullptr);
    EXPECT_EQ(d.PictureBitmap(IDC_PHOTO)->GetPath(), strLower);
    EXPECT_EQ(d.PictureBitmap(IDC_PHOTO)->GetSize(), m_dlg.GetClientSize(IDC_PHOTO));

    Pilot().SetPhoto(strUpper);
    m_dlg.UpdateDisplay();
    ASSERT_NE(d.PictureBitmap(IDC_PHOTO), nullptr);
    EXPECT_EQ(d.PictureBitmap(IDC_PHOTO)->GetPath(), strUpper);

    Pilot().SetPhoto("");
    m_dlg.UpdateDisplay();
    EXPECT_EQ(d.PictureBitmap(IDC_PHOTO), nullptr);
    EXPECT_EQ(d.PictureResource(IDC_PHOTO), 0);
}

TEST_F(MainWindow, LogLastMissionReadsTheSimulatorsDebrief)
{
    std::filesystem::create_directories(m_env.Path("sim"));
    WriteFlight(m_env.Path("sim/debrf.tmp"), "Dawn Patrol", Seconds(600));
    AddMission(Career(), "Earlier");
    CDialogDriver d = Open();
    d.Select(IDC_MISSION_LIST, 0);
    d.Focus(IDC_NAME);
    d.Enter(); // the default button
    EXPECT_EQ(d.Items(IDC_MISSION_LIST), (std::vector<std::string>{"Earlier", "Dawn Patrol"}));
    EXPECT_EQ(d.Selection(IDC_MISSION_LIST), 1);
}

TEST_F(MainWindow, LogMissionRemembersOnlyADebriefThatWasLogged)
{
    const std::string strGood = m_env.Path("good.stt");
    const std::string strBad = m_env.Path("bad.stt");
    WriteFlight(strGood, "Night Raid", Seconds(600));
    CDebriefBuilder noPlayer;
    noPlayer.AddObject(Seconds(1), 7, 70);
    noPlayer.Write(strBad);
    CDialogDriver d = Open();
    const unsigned nFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    const char* pszFilter = "Debriefing Files (*.stt)|*.stt|All Files|*.*||";

    m_host.ExpectFileDialogCancel().AsOpen().WithFileName("debrf.tmp");
    d.Click(IDC_LOG_MISSION);
    m_host.ExpectFileDialog(strBad)
        .AsOpen()
        .WithFileName("debrf.tmp")
        .WithDefExt("stt")
        .WithFilter(pszFilter)
        .WithFlags(nFlags);
    m_host.ExpectMessageBox("Could not find you in this mission ", MB_OK | MB_ICONSTOP);
    d.Click(IDC_LOG_MISSION);
    EXPECT_EQ(d.RowCount(IDC_MISSION_LIST), 0);
    EXPECT_FALSE(m_doc.IsModified());

    m_host.ExpectFileDialog(strGood).WithFileName("debrf.tmp");
    d.Click(IDC_LOG_MISSION);
    EXPECT_EQ(d.Items(IDC_MISSION_LIST), std::vector<std::string>{"Night Raid"});
    EXPECT_EQ(d.Selection(IDC_MISSION_LIST), 0);
    m_host.ExpectFileDialogCancel().WithFileName(strGood);
    d.Click(IDC_LOG_MISSION);
}

TEST_F(MainWindow, AddAsksWhetherADeadPilotStartsANewCareer)
{
    const struct {
        const char* pszCase;
        std::int32_t nLastStatus;
        int nAnswer;  // to the question, when it comes
        bool bClosed; // Mission Details closed with "Close"
        int nCareers;
        std::vector<std::string> shown;
    } cases[] = {
        {"alive", 1, 0, true, 1, {"Earlier", "New Mission"}},
        {"dead, Yes", 3, IDYES, true, 2, {"New Mission"}},
        {"dead, No", 3, IDNO, true, 1, {"Earlier", "New Mission"}},
        {"dead, Cancel", 3, IDCANCEL, false, 1, {"Earlier"}},
        {"dead, Yes, details not closed", 3, IDYES, false, 2, {}}, // the new career is shown
    };
    for (const auto& c : cases) {
        CLogDoc doc;
        SetCurrentLogDoc(&doc);
        AddMission(*doc.GetPilot()->GetCurrentCareer(), "Earlier", CTime(915000000), 1, c.nLastStatus);
        CLogDlg dlg;
        dlg.OpenModel();
        CDialogDriver d(dlg);
        if (c.nLastStatus == 3)
            m_host.ExpectMessageBox("This Pilot is dead.  Would you like to start a new career?", MB_YESNOCANCEL,
                                    c.nAnswer);
        if (c.nAnswer != IDCANCEL)
            m_host.ExpectDialog(
                IDD_MISSION, [&c](CDialogDriver& details) { details.Dialog().EndDialog(c.bClosed ? IDOK : IDCANCEL); });
        d.Click(IDC_ADD);
        m_host.Verify();
        EXPECT_EQ(doc.GetPilot()->GetCareerCount(), c.nCareers) << c.pszCase;
        EXPECT_EQ(d.Items(IDC_MISSION_LIST), c.shown) << c.pszCase;
        EXPECT_EQ(d.Selection(IDC_MISSION_LIST), static_cast<int>(c.shown.size()) - 1) << c.pszCase;
    }
    SetCurrentLogDoc(&m_doc);
}

TEST_F(MainWindow, AddNotClosedTakesTheMissionOutButTheLogStaysChanged)
{
    LoadSavedLog([](CPilot& pilot) { AddMission(*pilot.GetCurrentCareer(), "Earlier"); });
    CDialogDriver d = Open();
    m_host.ExpectDialog(IDD_MISSION, [](CDialogDriver& details) { details.Dialog().EndDialog(IDCANCEL); });
    d.Click(IDC_ADD);
    EXPECT_EQ(Career().GetMissionCount(), 1);
    m_host.ExpectMessageBox(kSaveQuestion, MB_YESNOCANCEL, IDNO);
    d.Click(ID_APP_EXIT);
    EXPECT_TRUE(d.IsEnded());
}

TEST_F(MainWindow, EditAndDoubleClickOpenTheSelectedMission)
{
    using MissionIds::IDC_MISSION_TITLE;
    AddMission(Career(), "A");
    AddMission(Career(), "B");
    CDialogDriver d = Open();
    m_host.ExpectDialog(IDD_MISSION, [](CDialogDriver& details) {
        EXPECT_EQ(details.Text(IDC_MISSION_TITLE), "B");
        details.Replace(IDC_MISSION_TITLE, "B2");
        details.Click(IDOK);
    });
    d.Click(IDC_EDIT);
    m_host.ExpectDialog(IDD_MISSION, [](CDialogDriver& details) {
        details.Replace(IDC_MISSION_TITLE, "A2");
        details.Dialog().EndDialog(IDCANCEL); // the changes are made already
    });
    d.DoubleClick(IDC_MISSION_LIST, 0);
    EXPECT_EQ(d.Items(IDC_MISSION_LIST), (std::vector<std::string>{"A2", "B2"}));
    EXPECT_EQ(d.Selection(IDC_MISSION_LIST), 0);
    d.Select(IDC_MISSION_LIST, 1);
    d.Click(IDC_DEL);
    d.Click(IDC_EDIT); // no row selected: nothing opens
}

TEST_F(MainWindow, CutStepSelectPasteMovesAMissionBetweenCareers)
{
    for (const char* psz : {"A1", "A2", "A3"})
        AddMission(Career(0), psz);
    CCareer& second = *Pilot().AddCareer();
    for (const char* psz : {"B1", "B2"})
        AddMission(second, psz);
    Pilot().SetCurrentCareer(0);
    CDialogDriver d = Open();
    d.Select(IDC_MISSION_LIST, 1);
    d.Click(IDC_CUT);
    EXPECT_EQ(Titles(0), (std::vector<std::string>{"A1", "A3"}));
    EXPECT_TRUE(d.IsEnabled(IDC_PASTE));
    d.Step(IDC_CAREER_SPIN, 1);
    d.Select(IDC_MISSION_LIST, 0);
    d.Click(IDC_PASTE);
    EXPECT_EQ(d.Items(IDC_MISSION_LIST), (std::vector<std::string>{"A2", "B1", "B2"}));
    EXPECT_EQ(d.SelectedText(IDC_MISSION_LIST), "A2");
    EXPECT_FALSE(d.IsEnabled(IDC_PASTE));
    EXPECT_EQ(m_dlg.GetCutMission(), nullptr);

    // A second Cut drops the first mission held; with no row selected the
    // paste goes to the end.
    d.Select(IDC_MISSION_LIST, 0);
    d.Click(IDC_CUT);
    d.Select(IDC_MISSION_LIST, 0);
    d.Click(IDC_CUT);
    EXPECT_EQ(m_dlg.GetCutMission()->GetTitle(), "B1");
    d.Select(IDC_MISSION_LIST, 0);
    d.Click(IDC_DEL); // the only row: none selected now
    d.Click(IDC_PASTE);
    EXPECT_EQ(Titles(1), std::vector<std::string>{"B1"});
}

TEST_F(MainWindow, APasteAfterASaveIsAChangeToSave)
{
    m_doc.Open(m_env.Path("pilot.log"));
    AddMission(Career(), "A");
    AddMission(Career(), "B");
    CDialogDriver d = Open();
    d.Select(IDC_MISSION_LIST, 0);
    d.Click(IDC_CUT);
    ASSERT_TRUE(m_doc.Save());
    EXPECT_EQ(CAppTestEnv::MissionTitles(m_env.Path("pilot.log")), std::vector<std::string>{"B"});
    d.Click(IDC_PASTE);
    m_host.ExpectMessageBox(kSaveQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDYES);
    d.Click(ID_APP_EXIT);
    EXPECT_TRUE(d.IsEnded());
    EXPECT_EQ(CAppTestEnv::MissionTitles(m_env.Path("pilot.log")), (std::vector<std::string>{"A", "B"}));
}

TEST_F(MainWindow, ACutMissionGoesWithTheWindow)
{
    AddMission(Career(), "A");
    m_host.ExpectDialog(IDD_LOG_DIALOG, [&](CDialogDriver& d) {
        d.Click(IDC_CUT);
        m_host.ExpectMessageBox(kSaveQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDNO);
        d.CloseBox();
    });
    EXPECT_EQ(m_dlg.DoModal(), IDOK);
    EXPECT_EQ(m_dlg.GetCutMission(), nullptr);
    EXPECT_EQ(Career().GetMissionCount(), 0);
}

TEST_F(MainWindow, TypingIntoAnIdentityEditChangesThePilotAtOnce)
{
    LoadSavedLog([](CPilot&) {});
    CDialogDriver d = Open();
    const struct {
        int nId;
        const std::string& (CPilot::*pfnGet)() const;
    } edits[] = {{IDC_NAME, &CPilot::GetName},
                 {IDC_CALLSIGN, &CPilot::GetCallsign},
                 {IDC_UNIT, &CPilot::GetUnit},
                 {IDC_RANK, &CPilot::GetRank}};
    d.Type(IDC_NAME, "J");
    EXPECT_TRUE(m_doc.IsModified()) << "at the first key";
    for (const auto& edit : edits) {
        d.Type(edit.nId, "ane");
        EXPECT_EQ((Pilot().*edit.pfnGet)(), edit.nId == IDC_NAME ? "Jane" : "ane") << edit.nId;
    }
    m_host.ExpectMessageBox(kSaveQuestion, MB_YESNOCANCEL | MB_ICONEXCLAMATION, IDNO);
    d.Click(ID_APP_EXIT);
    EXPECT_TRUE(d.IsEnded());
}

TEST_F(MainWindow, TextsTheWindowPutsIntoTheFocusedEditAreNotTyping)
{
    LoadSavedLog([](CPilot& pilot) {
        pilot.SetName("Ace");
        pilot.AddCareer();
    });
    CDialogDriver d = Open();
    d.Focus(IDC_NAME);
    d.Step(IDC_CAREER_SPIN, -1);
    m_doc.Open(m_env.Path("pilot.log")); // as "Revert To Saved..." does
    m_dlg.UpdateDisplay();
    EXPECT_EQ(d.FocusId(), IDC_NAME);
    EXPECT_EQ(d.Text(IDC_NAME), "Ace");
    EXPECT_FALSE(m_doc.IsModified());
    d.Escape(); // closes at once: nothing to save
    EXPECT_TRUE(d.IsEnded());
}

TEST_F(MainWindow, ExitAsksToSaveAndStaysOpenWhenTheSaveDidNotHappen)
{
    const struct {
        const char* pszHow;
        std::function<void(CDialogDriver&)> fnExit;
    } ways[] = {
        {"button", [](CDialogDriver& d) { d.Click(ID_APP_EXIT); }},
        {"menu", [](CDialogDriver& d) { d.Command(ID_APP_EXIT); }},
        {"Escape", [](CDialogDriver& d) { d.Escape(); }},
        {"close box", [](CDialogDriver& d) { d.CloseBox(); }},
    };
    const unsigned nQuestion = MB_YESNOCANCEL | MB_ICONEXCLAMATION;
    for (const auto& way : ways) {
        CLogDoc doc; // untitled: Yes asks for a name
        SetCurrentLogDoc(&doc);
        CLogDlg dlg;
        dlg.OpenModel();
        CDialogDriver d(dlg);
        way.fnExit(d);
        EXPECT_TRUE(d.IsEnded()) << way.pszHow << ": unchanged, closed at once";

        dlg.OpenModel();
        d.Type(IDC_NAME, "Ace");
        m_host.ExpectMessageBox(kSaveQuestion, nQuestion, IDCANCEL);
        way.fnExit(d);
        EXPECT_FALSE(d.IsEnded()) << way.pszHow;
        m_host.ExpectMessageBox(kSaveQuestion, nQuestion, IDYES);
        m_host.ExpectFileDialogCancel().AsOpen(false);
        way.fnExit(d);
        EXPECT_FALSE(d.IsEnded()) << way.pszHow << ": the save was cancelled";
        EXPECT_TRUE(doc.IsModified());
        m_host.ExpectMessageBox(kSaveQuestion, nQuestion, IDYES);
        m_host.ExpectFileDialog(m_env.Path(std::string(way.pszHow) + ".log")).AsOpen(false);
        way.fnExit(d);
        EXPECT_TRUE(d.IsEnded()) << way.pszHow;
        EXPECT_FALSE(doc.IsModified());
        m_host.Verify();
    }
    SetCurrentLogDoc(&m_doc);
}

} // namespace
