// The dialogs as a screen reader reads them: every control found on the
// accessibility bus by its role and name, read while the window is open.
// These run through tests/gui/a11y.py, which gives the program a private
// accessibility bus; without one they are skipped.
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/log_app.h"
#include "debrief/debrief.h"
#include "dialogs/about_dlg.h"
#include "dialogs/debrief_view_dlg.h"
#include "dialogs/kill_dlg.h"
#include "dialogs/mission_dlg.h"
#include "dialogs/prefs_dlg.h"
#include "log/app_settings.h"
#include "log/mission.h"
#include "res/resource_ids.h"
#include "tests/app/app_test_env.h"
#include "tests/gui/gui_sample_dialog.h"
#include "tests/gui/debrief_viewer_journal.h"
#include "tests/gui/gui_test.h"
#include "tests/support/debrief_builder.h"

extern char** environ;

namespace {

class AccessibleDialogs : public CGuiTest {
protected:
    void SetUp() override
    {
        if (!std::getenv("AT_SPI_BUS_ADDRESS"))
            GTEST_SKIP() << "no accessibility bus (run through tests/gui/a11y.py)";
        CGuiTest::SetUp();
    }

    // Opens the dialog, has check_accessible.py read it from outside while
    // it stays open, then closes it (with Escape unless the dialog needs
    // another way). expected: "role=name" pairs, the window's own first.
    void ExpectReadable(
        CDialog& dlg, const std::vector<std::string>& expected,
        std::function<void()> fnClose = [] { PressKey(WXK_ESCAPE); })
    {
        ExpectReadableWhile(
            dlg.GetTemplateId(), expected, [&] { dlg.DoModal(); }, std::move(fnClose));
    }

    // The same for a window that fnRun opens and runs until fnClose.
    void ExpectReadableWhile(int nTemplateId, const std::vector<std::string>& expected,
                             const std::function<void()>& fnRun, std::function<void()> fnClose)
    {
        pid_t checker = -1;
        int nStatus = -1;
        CGuiScript script(30000);
        WaitForWindow(script, nTemplateId)
            .Do([&] { checker = StartChecker(expected); })
            .WaitFor("the accessibility check",
                     [&] { return checker <= 0 || ::waitpid(checker, &nStatus, WNOHANG) == checker; })
            .Do(fnClose);
        script.Start();
        fnRun();
        EXPECT_TRUE(script.IsFinished());
        if (checker > 0 && ::waitpid(checker, &nStatus, WNOHANG) == 0) {
            ::kill(checker, SIGKILL); // gave up waiting for it
            ::waitpid(checker, &nStatus, 0);
        }
        ASSERT_GT(checker, 0) << "the checker did not start";
        EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0) << "see the checker's report above";
    }

private:
    static pid_t StartChecker(const std::vector<std::string>& expected)
    {
        std::vector<std::string> args = {SORTAVEL_SYSTEM_PYTHON, SORTAVEL_A11Y_CHECKER, std::to_string(::getpid())};
        args.insert(args.end(), expected.begin(), expected.end());
        std::vector<char*> argv;
        for (std::string& strArg : args)
            argv.push_back(strArg.data());
        argv.push_back(nullptr);
        pid_t pid = -1;
        if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            return -1;
        return pid;
    }
};

TEST_F(AccessibleDialogs, AboutBox)
{
    CAboutDlg dlg;
    ExpectReadable(dlg, {"dialog=About the Sortavel Manager", "icon=Pilot's wings", "label=Sortavel", "label=Manager",
                         "label=for", "label=Vortane", "icon=Aircraft", "push button=OK"});
}

TEST_F(AccessibleDialogs, Preferences)
{
    CPrefsDlg dlg;
    ExpectReadable(dlg,
                   {"dialog=Sortavel Preferences", "label=Vortane Program Directory", "text=Vortane Program Directory",
                    "push button=Browse...", "panel=Debrief Analysis", "check box=Log Events in the Notes Section",
                    "check box=Dont Count Suspicious Kills of Ground Objects",
                    "check box=Ignore All Kills of \"Unknown\" Objects", "panel=Flying Time", "label=Accumulates for",
                    "radio button=Pilot", "radio button=Career", "panel=Date Format", "radio button=dd/mm/yy",
                    "radio button=mm/dd/yy", "push button=Cancel", "push button=OK"});
}

TEST_F(AccessibleDialogs, SampleDialog)
{
    CGuiSampleDlg dlg;
    ExpectReadable(dlg, {"dialog=Sample", "text=Title", "combo box=Side", "check box=Primary target", "table=Rows",
                         "text=Notes", "push button=Up", "push button=Down", "push button=Ask", "push button=Fill",
                         "push button=About...", "push button=OK", "push button=Cancel"});
}

TEST_F(AccessibleDialogs, MissionDetails)
{
    CAppSettings settings;
    CMission mission;
    mission.SetTitle("Strike");
    CMissionDlg dlg;
    dlg.m_pMission = &mission;
    // Each field of a date or time is named for its part.
    ExpectReadable(dlg,
                   {"dialog=Mission Details",
                    "text=Mission",
                    "combo box=Side",
                    "panel=Timing",
                    "text=Flown",
                    "text=Flown, second field",
                    "text=Flown, year",
                    "text=Flown, time",
                    "text=Takeoff",
                    "text=Takeoff, time",
                    "text=Duration",
                    "panel=Outcome",
                    "combo box=Status",
                    "combo box=Result",
                    "panel=Kills",
                    "push button=Add",
                    "push button=Edit",
                    "push button=Del",
                    "table=Kills",
                    "text=Notes",
                    "push button=Cancel",
                    "push button=Close"},
                   [] { ClickOn(FindControl(IDD_MISSION, IDOK)); }); // Close is the only way out
}

TEST_F(AccessibleDialogs, KillDetails)
{
    CAppSettings settings;
    CKill kill;
    CKillDlg dlg;
    dlg.m_pKill = &kill;
    ExpectReadable(dlg,
                   {"dialog=Kill Details", "combo box=Weapon", "text=Launched At", "text=Launched At, time",
                    "label=Flight Time", "text=Hit At", "text=Hit At, time", "combo box=Target", "combo box=Side",
                    "check box=Primary target", "check box=Airborne Target", "push button=OK", "push button=Cancel"});
}

TEST_F(AccessibleDialogs, MainWindow)
{
    CAppTestEnv env;
    env.WriteSettings("[Preferences]\nInit=1\nVortane_Dir=" + env.Path("sim") + "\n");
    CLogApp app;
    ExpectReadableWhile(
        IDD_LOG_DIALOG,
        {"frame=Untitled",
         "text=Name",
         "text=Callsign",
         "text=Unit",
         "text=Rank",
         "panel=Status",
         "panel=Summary",
         "label=Flight Time",
         "panel=Kills",
         "label=Pri. Targets",
         "panel=Missions",
         "push button=Cut",
         "push button=Paste",
         "push button=Add",
         "push button=Edit",
         "push button=Del",
         "table=Missions",
         "push button=Next career",
         "push button=Previous career",
         "push button=Log Last Mission",
         "push button=Log Mission...",
         "push button=Print Career...",
         "push button=Exit"},
        [&] { app.InitInstance(); }, [] { ClickOn(FindControl(IDD_LOG_DIALOG, ID_APP_EXIT)); });
}

TEST_F(AccessibleDialogs, DebriefViewerRowsAndCells)
{
    CTempDebrief file;
    WriteStrikeJournal(file.GetPath());
    CDebrief debrief;
    ASSERT_TRUE(debrief.Open(file.GetPath()));
    CDebriefViewDlg dlg;
    dlg.m_pDebrief = &debrief;
    ExpectReadable(dlg, {"dialog=STT File Contents", "table=Events", "radio button=Show All Events", "label=Object ID",
                         "text=Object ID", "radio button=Show Object Events", "radio button=Show Object Child Events",
                         "cell:Events:-1:0=Time", "cell:Events:-1:8=Parent", "cell:Events:0:0=0-00:00:00",
                         "cell:Events:0:1=Dyn Add ", "cell:Events:0:6=F-15", "cell:Events:0:7=101",
                         "cell:Events:3:6=Kub Launcher", "cell:Events:5:2=Russian"});
}

} // namespace
