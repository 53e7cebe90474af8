#include "app/log_app.h"
#include "app/log_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/log_doc.h"
#include "log/settings.h"
#include "res/resource_ids.h"
#include "tests/app/app_test_env.h"
#include "tests/support/debrief_builder.h"
#include "tests/support/test_host.h"

namespace {

using namespace PrefsIds;

std::string MissingFileMessage(const std::string& strPath)
{
    return "Could not open file " + strPath + "\nError code is 2";
}

class StartUp : public ::testing::Test {
protected:
    // Runs start-up with the arguments; the exit status.
    int Run(std::vector<std::string> args, bool bCanShowWindows = true)
    {
        CLogApp app(std::move(args), bCanShowWindows);
        EXPECT_FALSE(app.InitInstance());
        m_nShowMission = app.m_bShowMission;
        m_strVortaneDir = app.m_strVortaneDir;
        return app.GetExitCode();
    }

    // The main window of a run without HIDE; the user leaves at once.
    void ExpectMainWindow()
    {
        m_host.ExpectDialog(IDD_LOG_DIALOG, [](CDialogDriver& d) { d.Click(ID_APP_EXIT); });
    }

    CAppTestEnv m_env;
    CTestHost m_host;
    int m_nShowMission = -1;
    std::string m_strVortaneDir;
};

TEST_F(StartUp, FirstRunShowsAboutThenPreferencesBeforeAnythingElse)
{
    const std::string strMissing = m_env.Path("missing.stt");
    const std::string strLog = m_env.Path("pilot.log");
    m_host.ExpectDialog(IDD_ABOUTBOX, [&](CDialogDriver& d) {
        // The log is open already.
        ASSERT_NE(GetCurrentLogDoc(), nullptr);
        EXPECT_EQ(GetCurrentLogDoc()->GetFileName(), strLog);
        d.Click(IDOK);
    });
    m_host.ExpectDialog(IDD_PREFERENCES, [](CDialogDriver& d) {
        // The defaults of a machine without settings.
        EXPECT_EQ(d.Text(IDC_VORTANE_DIR), "");
        EXPECT_TRUE(d.IsChecked(IDC_LOG_EVENTS));
        EXPECT_TRUE(d.IsChecked(IDC_IGNORE_GND_KILLS));
        EXPECT_FALSE(d.IsChecked(IDC_REJECT_UNK_KILLS));
        EXPECT_TRUE(d.IsChecked(IDC_ACCUMULATE_PILOT));
        EXPECT_TRUE(d.IsChecked(IDC_DATE_DMY));
        d.Click(IDC_DATE_MDY);
        d.Click(IDCANCEL);
    });
    m_host.ExpectMessageBox(MissingFileMessage(strMissing), MB_OK | MB_ICONEXCLAMATION);
    ExpectMainWindow();
    EXPECT_EQ(Run({strMissing, "/LOG", strLog}), kExitOk);
    EXPECT_EQ(GetCurrentLogDoc(), nullptr);

    // Init is written although the Preferences were cancelled, and nothing else.
    const CSettings settings(m_env.SettingsPath());
    EXPECT_EQ(settings.ReadInt("Preferences", "Init", 0), 1);
    EXPECT_EQ(settings.ReadInt("Preferences", "Date_Format", -1), -1);
    EXPECT_EQ(settings.ReadString("Preferences", "Vortane_Dir", "none"), "none");

    // The next run asks nothing.
    ExpectMainWindow();
    EXPECT_EQ(Run({}), kExitOk);
}

TEST_F(StartUp, FirstRunPreferencesConfirmedAreStoredAndUsed)
{
    m_host.ExpectDialog(IDD_ABOUTBOX, [](CDialogDriver& d) { d.Enter(); });
    m_host.ExpectDialog(IDD_PREFERENCES, [](CDialogDriver& d) {
        d.Type(IDC_VORTANE_DIR, "/games/vortane");
        d.Click(IDOK);
    });
    ExpectMainWindow();
    EXPECT_EQ(Run({}), kExitOk);
    EXPECT_EQ(m_strVortaneDir, "/games/vortane");
    const CSettings settings(m_env.SettingsPath());
    EXPECT_EQ(settings.ReadString("Preferences", "Vortane_Dir", ""), "/games/vortane");
    EXPECT_EQ(settings.ReadInt("Preferences", "Init", 0), 1);
}

TEST_F(StartUp, ReadsThePreferencesWithTheirDefaults)
{
    struct Case {
        std::string strSettings;
        int bAccumulate, nEjectionMin, bShowMission, bIgnoreGnd, bRejectUnk, bLogEvents, nDateFormat;
        std::string strDir;
    };
    const Case cases[] = {
        {kSetUpSettings, 1, 3, 1, 1, 0, 1, 1, ""},
        {"[Preferences]\nInit=1\nAccumulate_Pilot_Time=0\nEjection_Min=0-00:00:10\nShow_Mission=0\n"
         "Ignore_Gnd_Kills=0\nReject_Unk_Kills=1\nLog_Events=0\nDate_Format=\nVortane_Dir=/opt/sim\n",
         0, 10, 0, 0, 1, 0, 1, "/opt/sim"},
        {"[Preferences]\nInit=1\nDate_Format=abc\nEjection_Min=\n", 1, 3, 1, 1, 0, 1, 0, ""},
    };
    for (const Case& c : cases) {
        m_env.WriteSettings(c.strSettings);
        ExpectMainWindow();
        CLogApp app;
        app.InitInstance();
        EXPECT_EQ(app.m_bAccumulatePilotTime, c.bAccumulate) << c.strSettings;
        EXPECT_EQ(app.m_tsEjectionMin.GetTotalSeconds(), c.nEjectionMin) << c.strSettings;
        EXPECT_EQ(app.m_bShowMission, c.bShowMission) << c.strSettings;
        EXPECT_EQ(app.m_bIgnoreGndKills, c.bIgnoreGnd) << c.strSettings;
        EXPECT_EQ(app.m_bRejectUnkKills, c.bRejectUnk) << c.strSettings;
        EXPECT_EQ(app.m_bLogEvents, c.bLogEvents) << c.strSettings;
        EXPECT_EQ(app.m_nDateFormat, c.nDateFormat) << c.strSettings;
        EXPECT_EQ(app.m_strVortaneDir, c.strDir) << c.strSettings;
    }
}

TEST_F(StartUp, HideClearsShowMissionForThisRunOnly)
{
    m_env.WriteSettings("[Preferences]\nInit=1\nShow_Mission=1\n");
    EXPECT_EQ(Run({"/HIDE"}), kExitOk);
    EXPECT_EQ(m_nShowMission, 0);
    EXPECT_EQ(CSettings(m_env.SettingsPath()).ReadInt("Preferences", "Show_Mission", 0), 1);
    ExpectMainWindow();
    EXPECT_EQ(Run({}), kExitOk);
    EXPECT_EQ(m_nShowMission, 1);
}

TEST_F(StartUp, TheNamedLogWinsOverTheLastFile)
{
    const std::string strLast = m_env.Path("last.log");
    const std::string strNamed = m_env.Path("named.log");
    const std::string strDebrief = m_env.Path("d.stt");
    WriteFlight(strDebrief, "Dawn Patrol", Seconds(600));
    m_env.WriteSettings(std::string(kSetUpSettings) + "[File]\nLast_File=" + strLast + "\n");

    EXPECT_EQ(Run({"/LOG", strNamed, "/MISSION", strDebrief, "/HIDE"}), kExitOk);
    EXPECT_EQ(CAppTestEnv::MissionTitles(strNamed), std::vector<std::string>{"Dawn Patrol"});
    EXPECT_FALSE(CAppTestEnv::Exists(strLast));

    EXPECT_EQ(Run({strDebrief, "-hide"}), kExitOk);
    EXPECT_EQ(CAppTestEnv::MissionTitles(strLast), std::vector<std::string>{"Dawn Patrol"});
}

TEST_F(StartUp, LastWinsOverANamedDebrief)
{
    std::filesystem::create_directories(m_env.Path("sim"));
    WriteFlight(m_env.Path("sim/debrf.tmp"), "Simulator Flight", Seconds(600));
    WriteFlight(m_env.Path("x.stt"), "Named Flight", Seconds(600));
    m_env.WriteSettings(std::string(kSetUpSettings) + "Vortane_Dir=" + m_env.Path("sim") + "\n");
    const std::string strLog = m_env.Path("pilot.log");

    EXPECT_EQ(Run({"/LAST", "/MISSION", m_env.Path("x.stt"), "/LOG", strLog, "/HIDE"}), kExitOk);
    EXPECT_EQ(CAppTestEnv::MissionTitles(strLog), std::vector<std::string>{"Simulator Flight"});
}

TEST_F(StartUp, LastWithoutASimulatorFolderLooksInTheRoot)
{
    if (CAppTestEnv::Exists("/debrf.tmp"))
        GTEST_SKIP() << "this machine has a /debrf.tmp";
    m_env.WriteSettings(kSetUpSettings);
    m_host.ExpectMessageBox(MissingFileMessage("/debrf.tmp"), MB_OK | MB_ICONEXCLAMATION);
    ExpectMainWindow();
    EXPECT_EQ(Run({"/LAST"}), kExitOk);
}

TEST_F(StartUp, HideSavesOnlyAChangedLog)
{
    m_env.WriteSettings(kSetUpSettings);
    const std::string strLog = m_env.Path("pilot.log");
    // Written by hand: a save would not reproduce it byte for byte.
    const std::string strText = "[Pilot]\nName=Ace\n\n; kept as it is\n";
    CAppTestEnv::WriteFile(strLog, strText);

    EXPECT_EQ(Run({"/LOG", strLog, "/HIDE"}), kExitOk);
    EXPECT_EQ(CAppTestEnv::ReadFile(strLog), strText);
}

TEST_F(StartUp, HideAsksForANameWhenTheLogHasNone)
{
    m_env.WriteSettings(kSetUpSettings);
    const std::string strDebrief = m_env.Path("d.stt");
    WriteFlight(strDebrief, "Night Raid", Seconds(600));
    const std::string strLog = m_env.Path("chosen.log");

    m_host.ExpectFileDialog(strLog).AsOpen(false);
    EXPECT_EQ(Run({strDebrief, "HIDE"}), kExitOk);
    EXPECT_EQ(CAppTestEnv::MissionTitles(strLog), std::vector<std::string>{"Night Raid"});

    // The same with the dialog cancelled: nothing logged.
    m_env.WriteSettings(kSetUpSettings);
    m_host.ExpectFileDialogCancel().AsOpen(false);
    EXPECT_EQ(Run({strDebrief, "HIDE"}), kExitNotLogged);
}

TEST_F(StartUp, HideExitStatusTellsWhetherTheMissionWasLogged)
{
    m_env.WriteSettings(kSetUpSettings);
    const std::string strLog = m_env.Path("pilot.log");
    const std::string strMissing = m_env.Path("missing.stt");

    EXPECT_EQ(Run({"/HIDE"}), kExitOk); // nothing to log, nothing to save

    m_host.ExpectMessageBox(MissingFileMessage(strMissing), MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(Run({"/LOG", strLog, "/MISSION", strMissing, "/HIDE"}), kExitNotLogged);
    EXPECT_FALSE(CAppTestEnv::Exists(strLog));

    // Without HIDE the run itself went well.
    m_host.ExpectMessageBox(MissingFileMessage(strMissing), MB_OK | MB_ICONEXCLAMATION);
    ExpectMainWindow();
    EXPECT_EQ(Run({"/LOG", strLog, "/MISSION", strMissing}), kExitOk);
}

TEST_F(StartUp, TheMainWindowRunsUntilExitAndFollowsThePreferences)
{
    m_env.WriteSettings(std::string(kSetUpSettings) + "Show_Mission=0\n");
    const std::string strLog = m_env.Path("pilot.log");
    const std::string strDebrief = m_env.Path("d.stt");
    WriteFlight(strDebrief, "Dawn Patrol", Seconds(600));
    CLogApp app({"/LOG", strLog, "/MISSION", strDebrief});
    m_host.ExpectDialog(IDD_LOG_DIALOG, [&](CDialogDriver& d) {
        using namespace LogDlgIds;
        EXPECT_EQ(static_cast<CDialog*>(app.m_pLogDlg), &d.Dialog());
        EXPECT_EQ(d.Caption(), strLog);
        EXPECT_EQ(d.Items(IDC_MISSION_LIST), std::vector<std::string>{"Dawn Patrol"}); // logged before
        EXPECT_FALSE(d.IsEnabled(IDC_LOG_LAST));
        m_host.ExpectDialog(IDD_PREFERENCES, [](CDialogDriver& prefs) {
            prefs.Type(IDC_VORTANE_DIR, "/games/vortane");
            prefs.Click(IDOK);
        });
        d.Command(ID_PREFERENCES);
        EXPECT_TRUE(d.IsEnabled(IDC_LOG_LAST));
        m_host.ExpectMessageBox("Save changes to the current log?", MB_YESNOCANCEL, IDNO);
        d.Click(ID_APP_EXIT);
    });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.GetExitCode(), kExitOk);
    EXPECT_EQ(app.m_pLogDlg, nullptr);
    EXPECT_FALSE(CAppTestEnv::Exists(strLog)); // the answer was No
}

TEST_F(StartUp, WithoutWindowsOnlyHideRuns)
{
    // No display and no HIDE: nothing at all happens, not even the first run.
    EXPECT_EQ(Run({"/LAST"}, false), kExitNoDisplay);
    EXPECT_FALSE(CAppTestEnv::Exists(m_env.SettingsPath()));

    // With HIDE the first-run dialogs wait for a run with a display.
    const std::string strDebrief = m_env.Path("d.stt");
    const std::string strLog = m_env.Path("pilot.log");
    WriteFlight(strDebrief, "Unattended", Seconds(600));
    EXPECT_EQ(Run({"/LOG", strLog, "/MISSION", strDebrief, "/HIDE"}, false), kExitOk);
    EXPECT_EQ(CAppTestEnv::MissionTitles(strLog), std::vector<std::string>{"Unattended"});
    EXPECT_EQ(CSettings(m_env.SettingsPath()).ReadInt("Preferences", "Init", 0), 0);
}

class PreferencesCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app.m_nDateFormat = 1;
        m_app.m_bAccumulatePilotTime = 1;
        m_app.m_strVortaneDir = "/old/sim";
        m_app.m_bIgnoreGndKills = 1;
        m_app.m_bLogEvents = 1;
        m_app.m_bRejectUnkKills = 0;
    }

    CAppTestEnv m_env;
    CTestHost m_host;
    CLogApp m_app;
};

TEST_F(PreferencesCommand, OkWritesTheSixKeysInOrder)
{
    m_env.WriteSettings("[Preferences]\nInit=1\nShow_Mission=0\n");
    m_host.ExpectDialog(IDD_PREFERENCES, [](CDialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_VORTANE_DIR), "/old/sim");
        d.Click(IDC_ACCUMULATE_CAREER);
        d.Click(IDC_DATE_MDY);
        d.Tick(IDC_REJECT_UNK_KILLS);
        d.Tick(IDC_LOG_EVENTS, false);
        d.Click(IDOK);
    });
    EXPECT_TRUE(m_app.OnCommand(ID_PREFERENCES));

    EXPECT_EQ(m_app.m_bAccumulatePilotTime, 0);
    EXPECT_EQ(m_app.m_nDateFormat, 0);
    EXPECT_EQ(m_app.m_bRejectUnkKills, 1);
    EXPECT_EQ(m_app.m_bLogEvents, 0);
    EXPECT_EQ(m_app.m_bIgnoreGndKills, 1);
    EXPECT_EQ(m_app.m_strVortaneDir, "/old/sim");

    const std::string strText = m_env.ReadSettings();
    const std::vector<std::string> lines{"Accumulate_Pilot_Time=0", "Ignore_Gnd_Kills=1", "Reject_Unk_Kills=1",
                                         "Log_Events=0", "Vortane_Dir=/old/sim", "Date_Format=0"};
    std::size_t nAt = strText.find("Show_Mission=0");
    ASSERT_NE(nAt, std::string::npos) << strText;
    for (const std::string& strLine : lines) {
        const std::size_t nNext = strText.find(strLine);
        ASSERT_NE(nNext, std::string::npos) << strLine << " in\n" << strText;
        EXPECT_GT(nNext, nAt) << strLine << " out of order in\n" << strText;
        nAt = nNext;
    }
    EXPECT_EQ(strText.find("Ejection_Min"), std::string::npos);
}

TEST_F(PreferencesCommand, AnEmptyDirectoryRemovesItsKey)
{
    m_env.WriteSettings("[Preferences]\nVortane_Dir=/old/sim\n");
    m_host.ExpectDialog(IDD_PREFERENCES, [](CDialogDriver& d) {
        d.Clear(IDC_VORTANE_DIR);
        d.Click(IDOK);
    });
    m_app.OnPreferences();
    EXPECT_EQ(m_app.m_strVortaneDir, "");
    EXPECT_EQ(m_env.ReadSettings().find("Vortane_Dir"), std::string::npos);
    EXPECT_EQ(CSettings(m_env.SettingsPath()).ReadString("Preferences", "Vortane_Dir", ""), "");
}

TEST_F(PreferencesCommand, CancelChangesNothingEvenAfterRadioClicks)
{
    const std::string strSettings = "[Preferences]\nDate_Format=1\n";
    m_env.WriteSettings(strSettings);
    auto script = [](CDialogDriver& d) {
        d.Click(IDC_DATE_MDY);
        d.Click(IDC_ACCUMULATE_CAREER);
        d.Type(IDC_VORTANE_DIR, "/x");
        d.Tick(IDC_REJECT_UNK_KILLS);
    };
    m_host.ExpectDialog(IDD_PREFERENCES, [&](CDialogDriver& d) { script(d); d.Click(IDCANCEL); });
    m_host.ExpectDialog(IDD_PREFERENCES, [&](CDialogDriver& d) { script(d); d.Escape(); });
    m_app.OnPreferences();
    m_app.OnPreferences();

    EXPECT_EQ(m_env.ReadSettings(), strSettings);
    EXPECT_EQ(m_app.m_nDateFormat, 1);
    EXPECT_EQ(m_app.m_bAccumulatePilotTime, 1);
    EXPECT_EQ(m_app.m_strVortaneDir, "/old/sim");
    EXPECT_EQ(m_app.m_bRejectUnkKills, 0);
}

TEST_F(PreferencesCommand, AboutRunsTheAboutBox)
{
    m_host.ExpectDialog(IDD_ABOUTBOX, [](CDialogDriver& d) { d.Click(IDOK); });
    EXPECT_TRUE(m_app.OnCommand(ID_APP_ABOUT));
}

} // namespace
