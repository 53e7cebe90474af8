// The real program with its file operations failing on demand (the fault
// shim, loaded with LD_PRELOAD): a save either fails, saying so, with the
// previous log intact, or succeeds with the new log whole; a read that
// fails half way is reported and changes nothing.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "tests/reliability/program_run.h"
#include "tests/reliability/reliability_fixture.h"

namespace {

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Large enough that the save writes in several pieces.
        m_env.WriteLog(1500);
        m_strOld = ReadBytes(m_env.LogPath());
    }

    CProgramResult RunWithFault(const std::vector<std::string>& args, const std::string& strCall, int nth, int nErrno)
    {
        std::filesystem::remove(m_strReport);
        CProgramRun run(m_env.Root(), args);
        run.SetEnv("LD_PRELOAD", SORTAVEL_FAULT_SHIM)
            .SetEnv("ASAN_OPTIONS", "detect_leaks=1:verify_asan_link_order=0")
            .SetEnv("SORTAVEL_FAULT_DIR", m_env.LogDir())
            .SetEnv("SORTAVEL_FAULT_CALL", strCall)
            .SetEnv("SORTAVEL_FAULT_NTH", std::to_string(nth))
            .SetEnv("SORTAVEL_FAULT_ERRNO", std::to_string(nErrno))
            .SetEnv("SORTAVEL_FAULT_REPORT", m_strReport);
        return run.Run();
    }
    bool FaultWasMade() const { return std::filesystem::exists(m_strReport); }

    CReliabilityEnv m_env;
    std::string m_strOld;
    std::string m_strReport = m_env.Path("fault-made");
};

class SaveFaultTest : public FaultTest, public ::testing::WithParamInterface<const char*> {};

// Every call of the kind fails in turn (the 1st, the 2nd, ...) until the
// save makes no more of them.
TEST_P(SaveFaultTest, EverySaveEitherFailsVisiblyOrIsWhole)
{
    const std::string strCall = GetParam();
    const CProgramResult clean = CProgramRun(m_env.Root(), m_env.LogMissionArgs()).Run();
    ASSERT_EQ(clean.m_nStatus, 0) << clean.m_strErr;
    const std::string strNew = ReadBytes(m_env.LogPath());
    ASSERT_NE(strNew, m_strOld);

    const std::string strFailure = "Could not save the log to " + m_env.LogPath() + ": ";
    for (const int nErrno : {ENOSPC, EIO, EACCES}) {
        int nFailedSaves = 0;
        int nth = 1;
        for (; nth <= 40; ++nth) {
            WriteBytes(m_env.LogPath(), m_strOld);
            const CProgramResult result = RunWithFault(m_env.LogMissionArgs(), strCall, nth, nErrno);
            if (!FaultWasMade())
                break;
            const std::string strWhat = strCall + " #" + std::to_string(nth) + " failing with " + std::strerror(nErrno);
            const std::string strLog = ReadBytes(m_env.LogPath());
            EXPECT_EQ(m_env.CountStrayFiles(), 0u) << strWhat;
            if (strLog == m_strOld) {
                ++nFailedSaves;
                EXPECT_EQ(result.m_nStatus, 1) << strWhat;
                const std::size_t at = result.m_strErr.find(strFailure);
                ASSERT_NE(at, std::string::npos) << strWhat << "\n" << result.m_strErr;
                const std::string strLine = result.m_strErr.substr(at, result.m_strErr.find('\n', at) - at);
                EXPECT_NE(strLine.find(std::strerror(nErrno)), std::string::npos) << strWhat << "\n" << strLine;
            } else {
                // A failure after the new file took the old one's place.
                EXPECT_EQ(strLog, strNew) << strWhat;
                EXPECT_EQ(result.m_nStatus, 0) << strWhat << "\n" << result.m_strErr;
                EXPECT_EQ(result.m_strErr.find(strFailure), std::string::npos) << strWhat;
            }
        }
        EXPECT_GT(nth, 1) << "the save makes no " << strCall << " call";
        EXPECT_GE(nFailedSaves, 1) << "no failing " << strCall << " made the save fail";
    }
}

INSTANTIATE_TEST_SUITE_P(Calls, SaveFaultTest, ::testing::Values("open", "write", "fsync", "rename", "close"));

// A debrief or a log whose reading fails half way: the failure is reported,
// nothing is logged and the log on disk stays as it was.
TEST_F(FaultTest, AReadThatFailsHalfWayChangesNothing)
{
    const struct {
        const char* pszCall;
        std::string strDir; // or the one file
        std::string strMessage;
    } cases[] = {
        {"read", m_env.DebriefPath(), "Could not open file " + m_env.DebriefPath() + "\nError code is 5"},
        {"read", m_env.LogDir(),
         "Could not read the log " + m_env.LogPath() + ": cannot read the file: " + std::strerror(EIO)},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(m_strReport);
        CProgramRun run(m_env.Root(), m_env.LogMissionArgs());
        run.SetEnv("LD_PRELOAD", SORTAVEL_FAULT_SHIM)
            .SetEnv("ASAN_OPTIONS", "detect_leaks=1:verify_asan_link_order=0")
            .SetEnv("SORTAVEL_FAULT_DIR", c.strDir)
            .SetEnv("SORTAVEL_FAULT_CALL", c.pszCall)
            .SetEnv("SORTAVEL_FAULT_NTH", "1")
            .SetEnv("SORTAVEL_FAULT_ERRNO", std::to_string(EIO))
            .SetEnv("SORTAVEL_FAULT_REPORT", m_strReport);
        const CProgramResult result = run.Run();
        ASSERT_TRUE(FaultWasMade()) << c.pszCall;
        EXPECT_EQ(result.m_nStatus, 1) << c.pszCall << "\n" << result.m_strErr;
        EXPECT_NE(result.m_strErr.find(c.strMessage), std::string::npos) << c.pszCall << "\n" << result.m_strErr;
        EXPECT_EQ(ReadBytes(m_env.LogPath()), m_strOld) << c.pszCall;
        EXPECT_EQ(m_env.CountStrayFiles(), 0u) << c.pszCall;
    }
}

} // namespace
