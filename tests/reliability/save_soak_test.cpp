// The real program killed with SIGKILL at random moments while it logs a
// mission into a large log and saves it: after every kill the log is the
// complete old file or the complete new one, and the next run opens it.
// SORTAVEL_SOAK_KILLS sets the number of kills (50 by default).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <thread>

#include "tests/reliability/program_run.h"
#include "tests/reliability/reliability_fixture.h"

namespace {

constexpr int kMissions = 20000;

int KillCount()
{
    const char* psz = std::getenv("SORTAVEL_SOAK_KILLS");
    const int n = psz != nullptr ? std::atoi(psz) : 0;
    return n > 0 ? n : 50;
}

class SaveSoakTest : public ::testing::Test {
protected:
    // What a whole run makes of the log strOld, from a copy of it.
    std::string SavedFrom(const std::string& strOld)
    {
        const std::string strCopy = m_env.Path("reference.log");
        WriteBytes(strCopy, strOld);
        const CProgramResult result = MissionRun(strCopy).Run();
        EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
        return ReadBytes(strCopy);
    }

    // Logs the debrief into the log and saves it; the debrief is logged
    // again and again, so the duplicate question is answered Yes.
    CProgramRun MissionRun(const std::string& strLog) const
    {
        CProgramRun run(m_env.Root(), {"/LOG", strLog, "/MISSION", m_env.DebriefPath(), "/HIDE"});
        run.SetInput("yes\n");
        return run;
    }

    CReliabilityEnv m_env;
};

TEST_F(SaveSoakTest, AKilledSaveLeavesTheOldOrTheNewLogWhole)
{
    m_env.WriteLog(kMissions);
    std::string strOld = ReadBytes(m_env.LogPath());
    std::string strNew = SavedFrom(strOld);
    ASSERT_NE(strNew, strOld);

    // Kills are spread over the whole length of a run. A loaded machine
    // stretches runs, which would put nearly every kill before the save:
    // the window widens while kills keep leaving the old log and narrows
    // when one comes too late, so that some land after the new log is in
    // place and the save itself is hit throughout.
    const CProgramResult timed = MissionRun(m_env.Path("reference.log")).Run();
    ASSERT_EQ(timed.m_nStatus, 0) << timed.m_strErr;
    double dWindow = timed.m_dSeconds * 1.1e6; // microseconds

    std::mt19937 random(std::random_device{}());
    const int nKills = KillCount();
    int nKilled = 0, nOld = 0, nNew = 0, nFinished = 0;
    while (nKilled < nKills && !HasFailure()) {
        CProgramRun run = MissionRun(m_env.LogPath());
        run.Start();
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<long>(0, static_cast<long>(dWindow))(random)));
        const CProgramResult result = run.Kill();
        const std::string strLog = ReadBytes(m_env.LogPath());
        if (result.m_nSignal == SIGKILL) {
            ++nKilled;
            if (strLog == strOld) {
                ++nOld;
                dWindow *= 1.02;
            } else {
                dWindow *= 0.9;
                ++nNew;
                ASSERT_EQ(strLog.size(), strNew.size()) << "kill " << nKilled << ": a damaged log";
                ASSERT_TRUE(strLog == strNew) << "kill " << nKilled << ": a damaged log";
            }
        } else {
            ++nFinished; // the run ended before the kill
            dWindow *= 0.9;
            ASSERT_EQ(result.m_nStatus, 0) << result.m_strErr;
            ASSERT_TRUE(strLog == strNew) << "a finished run left a log other than the new one";
        }
        if (strLog != strOld) {
            strOld = strLog;
            strNew = SavedFrom(strOld);
        }
        // The next run opens what the kill left behind.
        const CProgramResult next = CProgramRun(m_env.Root(), {"/LOG", m_env.LogPath(), "/HIDE"}).Run();
        ASSERT_EQ(next.m_nStatus, 0) << "after kill " << nKilled << ": " << next.m_strErr;
        ASSERT_EQ(next.m_strErr.find("Could not"), std::string::npos)
            << "after kill " << nKilled << ": " << next.m_strErr;
    }
    // A save that completes clears what the killed ones left.
    const CProgramResult last = MissionRun(m_env.LogPath()).Run();
    EXPECT_EQ(last.m_nStatus, 0) << last.m_strErr;
    EXPECT_EQ(ReadBytes(m_env.LogPath()), strNew);
    EXPECT_EQ(m_env.CountStrayFiles(), 0u);

    RecordProperty("kills", nKilled);
    std::printf("%d kills: %d left the old log, %d the new one, 0 damaged; %d runs finished before their "
                "kill (a run takes %.0f ms)\n",
                nKilled, nOld, nNew, nFinished, timed.m_dSeconds * 1000);
}

} // namespace
