// Hostile sizes: huge debriefs and logs, a line without end, a huge setting,
// a photograph that is a huge file, a device or a pipe. Each is refused with
// a message or handled, within seconds and in less than four times the
// file's size of memory.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/bitmap.h"
#include "tests/reliability/program_run.h"
#include "tests/reliability/reliability_fixture.h"
#include "tests/support/debrief_builder.h"

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr auto kTimeLimit = std::chrono::seconds(60);

// A file of nSize bytes: strStart, then nSize - strStart.size() bytes of
// chunk repeated (or a hole, when chunk is empty).
void MakeFile(const std::string& strPath, const std::string& strStart, std::uint64_t nSize,
              const std::string& chunk = {})
{
    std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
    out << strStart;
    if (!chunk.empty())
        for (std::uint64_t n = strStart.size(); n < nSize; n += chunk.size())
            out.write(chunk.data(), static_cast<std::streamsize>(std::min<std::uint64_t>(chunk.size(), nSize - n)));
    out.close();
    std::filesystem::resize_file(strPath, nSize);
}

class HostileSizeTest : public ::testing::Test {
protected:
    CProgramResult Run(const std::vector<std::string>& args) { return CProgramRun(m_env.Root(), args).Run(kTimeLimit); }
    static void ExpectModest(const CProgramResult& result, std::uint64_t nFileSize, const std::string& strWhat)
    {
        EXPECT_NE(result.m_nStatus, -1) << strWhat << ": did not end by itself";
        EXPECT_LT(static_cast<std::uint64_t>(result.m_nMaxRssKiB) * 1024, 4 * nFileSize)
            << strWhat << ": peak memory " << result.m_nMaxRssKiB / 1024 << " MiB";
        std::printf("%s: %.1f s, peak memory %ld MiB for a file of %llu MiB\n", strWhat.c_str(), result.m_dSeconds,
                    result.m_nMaxRssKiB / 1024, static_cast<unsigned long long>(nFileSize / kMiB));
    }

    CReliabilityEnv m_env;
};

// A debrief of 300 MiB in which the player releases a weapon and kills a
// target every two records: the whole analysis runs on it.
TEST_F(HostileSizeTest, ADebriefOfHundredsOfMiBIsLogged)
{
    m_env.WriteLog(1);
    CDebriefBuilder builder;
    builder.AddPlayer(1);
    std::string strStart;
    for (std::uint8_t byte : builder.Bytes())
        strStart += static_cast<char>(byte);
    CDebriefBuilder pattern;
    for (std::uint16_t i = 0; i < 4096; ++i) {
        const std::uint16_t nWeapon = static_cast<std::uint16_t>(2 + i);
        pattern.AddRelease(Sixteenths(16u + i * 16u), 1, nWeapon, 63);
        pattern.AddKill(Sixteenths(24u + i * 16u), static_cast<std::uint16_t>(60000 + i % 100), 18, nWeapon, 1,
                        EVENT_AIR);
    }
    const std::vector<std::uint8_t> patternBytes = pattern.Bytes();
    const std::string chunk(patternBytes.end() - static_cast<std::ptrdiff_t>(pattern.Events().size() * 16),
                            patternBytes.end());
    const std::string strPath = m_env.Path("huge.stt");
    MakeFile(strPath, strStart, 300 * kMiB, chunk);

    const CProgramResult result = Run({"/LOG", m_env.LogPath(), "/MISSION", strPath, "/HIDE"});
    EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
    ExpectModest(result, 300 * kMiB, "debrief of 300 MiB");
}

// Files the readers refuse at once, and a line they read whole.
TEST_F(HostileSizeTest, HugeFilesAreRefusedWithAMessage)
{
    m_env.WriteLog(1);
    const std::string strDebrief = m_env.Path("too-big.stt");
    MakeFile(strDebrief, "", 600 * kMiB);
    CProgramResult result = Run({"/LOG", m_env.LogPath(), "/MISSION", strDebrief, "/HIDE"});
    EXPECT_EQ(result.m_nStatus, 1);
    EXPECT_NE(result.m_strErr.find("Could not open file " + strDebrief + "\nError code is " + std::to_string(EFBIG)),
              std::string::npos)
        << result.m_strErr;
    ExpectModest(result, 600 * kMiB, "debrief of 600 MiB");

    // A log larger than any the program writes is refused before it is read.
    const std::string strHugeLog = m_env.Path("huge.log");
    MakeFile(strHugeLog, "", 2048 * kMiB);
    result = Run({"/LOG", strHugeLog, "/HIDE"});
    EXPECT_NE(result.m_strErr.find("Could not read the log " + strHugeLog + ": the file is too large"),
              std::string::npos)
        << result.m_strErr;
    EXPECT_LT(result.m_nMaxRssKiB, 256 * 1024);
    std::filesystem::remove(strHugeLog);

    // 300 MiB of zero bytes without a line break is no log: refused, and
    // left as it was.
    const std::string strLog = m_env.Path("zeros.log");
    MakeFile(strLog, "", 300 * kMiB);
    result = Run({"/LOG", strLog, "/HIDE"});
    EXPECT_NE(result.m_strErr.find("Could not read the log " + strLog + ": the file is not a pilot log"),
              std::string::npos)
        << result.m_strErr;
    EXPECT_EQ(std::filesystem::file_size(strLog), 300 * kMiB);
    ExpectModest(result, 300 * kMiB, "log of 300 MiB without a line break");
    std::filesystem::remove(strLog);

    // A value of 100 MiB is read whole.
    const std::string strLongName = m_env.Path("long-name.log");
    MakeFile(strLongName, "[Pilot]\r\nCareer_Count=1\r\nName=", 100 * kMiB, std::string(kMiB, 'A'));
    result = Run({"/LOG", strLongName, "/HIDE"});
    EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
    EXPECT_EQ(result.m_strErr, "");
    ExpectModest(result, 100 * kMiB, "log with a line of 100 MiB");
}

// A setting of 10 MiB: the settings file is read only as far as a settings
// file can sensibly reach, the value as far as a value can.
TEST_F(HostileSizeTest, AHugeSettingIsCut)
{
    m_env.WriteLog(1);
    const std::string strSettings = m_env.Path("config/Sortavel.ini");
    MakeFile(strSettings, "[Preferences]\r\nInit=1\r\nVortane_Dir=", 10 * kMiB, std::string(kMiB, 'D'));
    const CProgramResult result = Run({"/LOG", m_env.LogPath(), "/LAST", "/HIDE"});
    EXPECT_EQ(result.m_nStatus, 1);
    EXPECT_NE(result.m_strErr.find("Could not open file " + std::string(16383, 'D') + "/debrf.tmp\n"),
              std::string::npos);
    ExpectModest(result, 10 * kMiB, "setting of 10 MiB");
}

// The photograph: a huge file, a device, a pipe. The loader answers at once
// without reading them (in a child process, so that a loader that hung
// would not hang the tests).
TEST_F(HostileSizeTest, AHostilePhotographIsRefusedAtOnce)
{
    const std::string strHuge = m_env.Path("huge.bmp");
    MakeFile(strHuge, "BM", 1024 * kMiB);
    const std::string strPipe = m_env.Path("pipe.bmp");
    ASSERT_EQ(mkfifo(strPipe.c_str(), 0600), 0);
    const struct {
        std::string strPath;
        bool bBitmap;
    } cases[] = {{strHuge, true}, {"/dev/zero", false}, {strPipe, false}};
    for (const auto& c : cases) {
        const auto started = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0)
            _exit(LoadBitmapFile(c.strPath, {96, 96}) != nullptr ? 1 : 0);
        ASSERT_GT(pid, 0);
        int nStatus = 0;
        rusage usage{};
        while (wait4(pid, &nStatus, WNOHANG, &usage) == 0) {
            if (std::chrono::steady_clock::now() - started > std::chrono::seconds(10)) {
                kill(pid, SIGKILL);
                wait4(pid, &nStatus, 0, &usage);
                ADD_FAILURE() << c.strPath << ": the loader did not answer";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_TRUE(WIFEXITED(nStatus)) << c.strPath;
        EXPECT_EQ(WEXITSTATUS(nStatus), c.bBitmap ? 1 : 0) << c.strPath;
        EXPECT_LT(usage.ru_maxrss, 256 * 1024) << c.strPath; // KiB: nothing of the file was read
    }
}

} // namespace
