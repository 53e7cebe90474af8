// A debrief logged at start-up in a windowed run opens in the Mission Details
// dialog; with HIDE it never does.
#include <gtest/gtest.h>

#include "app/log_app.h"
#include "res/resource_ids.h"
#include "tests/app/app_test_env.h"
#include "tests/support/debrief_builder.h"
#include "tests/support/test_host.h"

namespace {

using namespace MissionIds;

TEST(ReviewAtStartUp, MissionDetailsOpensOnTheNewMissionUnlessHidden)
{
    CAppTestEnv env;
    CTestHost host;
    env.WriteSettings(kSetUpSettings); // Show_Mission is on by default
    const std::string strLog = env.Path("pilot.log");
    const std::string strDebrief = env.Path("flight.stt");
    CDebriefBuilder builder;
    builder.SetTitle("Dawn Patrol");
    builder.AddPlayer(1);
    builder.AddRem(Seconds(600), 1, 68);
    builder.Write(strDebrief);

    host.ExpectDialog(IDD_MISSION, [](CDialogDriver& d) {
        EXPECT_EQ(d.Text(IDC_MISSION_TITLE), "Dawn Patrol");
        d.Click(IDOK);
    });
    host.ExpectDialog(IDD_LOG_DIALOG, [&host](CDialogDriver& d) {
        host.ExpectMessageBox("Save changes to the current log?", MB_YESNOCANCEL, IDNO);
        d.Click(ID_APP_EXIT);
    });
    EXPECT_FALSE(CLogApp({"/LOG", strLog, "/MISSION", strDebrief}).InitInstance());
    host.Verify();

    CLogApp hidden({"/LOG", strLog, "/MISSION", strDebrief, "/HIDE"});
    hidden.InitInstance();
    EXPECT_EQ(hidden.GetExitCode(), kExitOk);
    EXPECT_EQ(CAppTestEnv::MissionTitles(strLog), std::vector<std::string>{"Dawn Patrol"});
}

} // namespace
