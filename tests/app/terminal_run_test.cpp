// The built program run as a process without a display: messages on stderr,
// answers on stdin, the outcome in the exit status.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "log/settings.h"
#include "tests/app/app_test_env.h"
#include "tests/support/debrief_builder.h"

namespace {

struct CRunResult {
    int m_nStatus = -1; // exit status; -1 when it did not exit normally
    std::string m_strErr;
};

class TerminalRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDebriefBuilder builder;
        builder.SetTitle("Harbour Strike");
        builder.AddPlayer(1);
        builder.AddRem(Seconds(900), 1, 68);
        builder.Write(m_strDebrief);
    }

    // Runs the program with the arguments and strInput on its stdin, without
    // a display and with the test's folder as the settings home.
    CRunResult Run(const std::vector<std::string>& args, const std::string& strInput = "")
    {
        const std::string strIn = m_env.Path("stdin.txt");
        const std::string strErr = m_env.Path("stderr.txt");
        CAppTestEnv::WriteFile(strIn, strInput);
        std::vector<std::string> argStrings{m_strProgram};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& str : argStrings)
            argv.push_back(str.data());
        argv.push_back(nullptr);

        const pid_t pid = fork();
        if (pid == 0) {
            const int fdIn = open(strIn.c_str(), O_RDONLY);
            const int fdErr = open(strErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fdIn < 0 || fdErr < 0)
                _exit(127);
            dup2(fdIn, 0);
            dup2(fdErr, 2);
            dup2(fdErr, 1);
            if (m_strDisplay.empty())
                unsetenv("DISPLAY");
            else
                setenv("DISPLAY", m_strDisplay.c_str(), 1);
            unsetenv("WAYLAND_DISPLAY");
            execv(argv[0], argv.data());
            _exit(127);
        }
        CRunResult result;
        int nWait = 0;
        if (pid > 0 && waitpid(pid, &nWait, 0) == pid && WIFEXITED(nWait))
            result.m_nStatus = WEXITSTATUS(nWait);
        result.m_strErr = CAppTestEnv::ReadFile(strErr);
        return result;
    }

    CAppTestEnv m_env; // sets XDG_CONFIG_HOME, which the child inherits
    std::string m_strDebrief = m_env.Path("d.stt");
    std::string m_strLog = m_env.Path("x.log");
    std::string m_strProgram = SORTAVEL_PROGRAM;
    std::string m_strDisplay; // none by default
};

TEST_F(TerminalRun, WithoutHideItNeedsADisplay)
{
    const CRunResult result = Run({"/LAST"});
    EXPECT_EQ(result.m_nStatus, 2);
    EXPECT_NE(result.m_strErr.find("display"), std::string::npos) << result.m_strErr;
    EXPECT_NE(result.m_strErr.find("/HIDE"), std::string::npos) << result.m_strErr;
    EXPECT_FALSE(CAppTestEnv::Exists(m_env.SettingsPath()));
}

TEST_F(TerminalRun, HideLogsTheMissionAndWritesTheLog)
{
    const CRunResult result = Run({"/LOG", m_strLog, "/MISSION", m_strDebrief, "/HIDE"});
    EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
    EXPECT_EQ(CAppTestEnv::MissionTitles(m_strLog), std::vector<std::string>{"Harbour Strike"});
    // The first-run dialogs are kept for a run with a display.
    EXPECT_EQ(CSettings(m_env.SettingsPath()).ReadInt("Preferences", "Init", 0), 0);
}

// As a file manager opens several debriefs at once: one run logs each in
// turn into the last log, which keeps them all; one that cannot be read is
// said in the status.
TEST_F(TerminalRun, SeveralDebriefsGoIntoTheLastLogInOneRun)
{
    CDebriefBuilder builder;
    builder.SetTitle("Night Intercept");
    builder.AddPlayer(1);
    const std::string strSecond = m_env.Path("e.stt");
    builder.Write(strSecond);
    m_env.WriteSettings(std::string(kSetUpSettings) + "[File]\nLast_File=" + m_strLog + "\n");

    const CRunResult result = Run({m_strDebrief, m_env.Path("missing.stt"), strSecond, "/HIDE"});
    EXPECT_EQ(result.m_nStatus, 1) << result.m_strErr;
    EXPECT_EQ(CAppTestEnv::MissionTitles(m_strLog), (std::vector<std::string>{"Harbour Strike", "Night Intercept"}));
}

TEST_F(TerminalRun, QuestionsAreAnsweredOnStdin)
{
    const std::vector<std::string> args{"-log", m_strLog, "-mission", m_strDebrief, "-hide"};
    ASSERT_EQ(Run(args).m_nStatus, 0);

    // Logging the same flight again asks first; unattended, the output says
    // what was asked and what was taken.
    CRunResult result = Run(args, "n\n");
    EXPECT_EQ(result.m_nStatus, 1);
    EXPECT_NE(result.m_strErr.find("There is already a log entry for this mission."), std::string::npos)
        << result.m_strErr;
    EXPECT_EQ(CAppTestEnv::MissionTitles(m_strLog).size(), 1u);
    result = Run(args);
    EXPECT_EQ(result.m_nStatus, 1);
    EXPECT_NE(result.m_strErr.find("There is already a log entry for this mission.  Do you want to log it again?\n"
                                   "Answer (yes/no): \nNo answer on standard input; the default answer is taken: No."),
              std::string::npos)
        << result.m_strErr;

    result = Run(args, "yes\n");
    EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
    EXPECT_EQ(CAppTestEnv::MissionTitles(m_strLog).size(), 2u);
}

TEST_F(TerminalRun, ALogWithoutANameIsAskedForOnStdin)
{
    const std::string strChosen = m_env.Path("chosen.log");
    CRunResult result = Run({m_strDebrief, "hide"}, strChosen + "\n");
    EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
    EXPECT_EQ(CAppTestEnv::MissionTitles(strChosen), std::vector<std::string>{"Harbour Strike"});

    // No name given: nothing is saved.
    result = Run({m_strDebrief, "hide"});
    EXPECT_EQ(result.m_nStatus, 1) << result.m_strErr;
}

TEST_F(TerminalRun, ALogThatCannotBeWrittenGivesStatusOne)
{
    const CRunResult result = Run({"/LOG", m_env.Path("no-such-folder/x.log"), "/MISSION", m_strDebrief, "/HIDE"});
    EXPECT_EQ(result.m_nStatus, 1) << result.m_strErr;
}

#ifdef SORTAVEL_MODULE_NAME
// A copy of the program whose window module is missing or broken, run with a
// display: it says why it shows no windows and logs the flight all the same.
TEST_F(TerminalRun, AMissingOrBrokenWindowModuleIsSaidAndTheRunGoesOn)
{
    const struct {
        const char* pszModuleBytes; // nullptr: no module file
        const char* pszWhy;
    } cases[] = {{nullptr, "window module is missing"}, {"not a module", "window module could not be loaded"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhy);
        const std::string strFolder = m_env.Path(c.pszModuleBytes ? "broken" : "missing");
        std::filesystem::create_directories(strFolder);
        m_strProgram = strFolder + "/sortavel";
        std::filesystem::copy_file(SORTAVEL_PROGRAM, m_strProgram);
        if (c.pszModuleBytes)
            CAppTestEnv::WriteFile(strFolder + "/" SORTAVEL_MODULE_NAME, c.pszModuleBytes);
        m_strDisplay = ":97";
        const std::string strLog = strFolder + "/x.log";

        const CRunResult result = Run({"/LOG", strLog, "/MISSION", m_strDebrief, "/HIDE"});
        EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
        EXPECT_NE(result.m_strErr.find("cannot show windows: its " + std::string(c.pszWhy)), std::string::npos)
            << result.m_strErr;
        EXPECT_EQ(CAppTestEnv::MissionTitles(strLog), std::vector<std::string>{"Harbour Strike"});
    }
}
#endif

} // namespace
