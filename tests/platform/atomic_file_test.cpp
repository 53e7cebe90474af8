#include "platform/atomic_file.h"

#include "tests/support/scratch_dir.h"
#include "tests/support/unprivileged_user.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Saves the text whole; the error text, or "saved".
std::string Save(const std::string& strPath, const std::string& strText, CFileCalls calls = {})
{
    CAtomicFile file(std::move(calls));
    const bool bSaved = file.Open(strPath) && file.Write(strText) && file.Commit();
    EXPECT_EQ(bSaved, !file.HasFailed());
    return bSaved ? "saved" : file.GetErrorText();
}

class AtomicFileTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("pilot.log"); }
    CScratchDir m_dir;
    CUnprivilegedUser m_user;
};

// What the user may not write directly is refused in the same words, and a
// file that could be written but not replaced whole is refused naming its
// folder. Nothing changes on the disk either way.
TEST_F(AtomicFileTest, RefusesWhatTheUserCannotReplace)
{
    const struct {
        const char* name;
        bool bFileExists;
        mode_t nFileMode;
        mode_t nFolderMode;
        std::string error;
    } cases[] = {
        {"read-only", true, 0444, 0755, "Permission denied"},
        {"new-in-read-only", false, 0, 0555, "Permission denied"},
        {"folder-read-only", true, 0644, 0555,
         "cannot create a temporary file in the folder " + m_dir.File("folder-read-only") + ": Permission denied"},
    };
    m_user.Give(m_dir.Path());
    for (const auto& c : cases) {
        const std::string strFolder = m_dir.File(c.name);
        ASSERT_EQ(mkdir(strFolder.c_str(), 0755), 0);
        if (c.bFileExists) {
            WriteBytes(strFolder + "/pilot.log", "old");
            ASSERT_EQ(chmod((strFolder + "/pilot.log").c_str(), c.nFileMode), 0);
            m_user.Give(strFolder + "/pilot.log");
        }
        m_user.Give(strFolder);
        ASSERT_EQ(chmod(strFolder.c_str(), c.nFolderMode), 0);
    }
    const auto saveEach = [&] {
        std::string strErrors;
        for (const auto& c : cases)
            strErrors += Save(m_dir.File(c.name) + "/pilot.log", "new") + "\n";
        return strErrors;
    };
    std::string strOutput;
    const bool bRan = m_user.Run(m_dir.Path().string(), saveEach, strOutput);
    for (const auto& c : cases)
        chmod(m_dir.File(c.name).c_str(), 0755); // so that the folder can be removed
    if (!bRan)
        GTEST_SKIP() << strOutput;
    std::string strExpected;
    for (const auto& c : cases) {
        strExpected += c.error + "\n";
        const std::filesystem::path folder = m_dir.Path() / c.name;
        EXPECT_EQ(ReadBytes((folder / "pilot.log").string()), c.bFileExists ? "old" : "") << c.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), c.bFileExists ? 1 : 0) << c.name;
    }
    EXPECT_EQ(strOutput, strExpected);
}

// Root keeps a user's file theirs; a user who may write someone else's file
// keeps its mode, but a group it could not keep gets no more than others.
TEST_F(AtomicFileTest, KeepsOwnerGroupAndModeWhereItMay)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "only root can save a file that another user owns";
    WriteBytes(Path(), "old");
    ASSERT_EQ(chown(Path().c_str(), m_user.GetUid(), m_user.GetGid()), 0);
    ASSERT_EQ(chmod(Path().c_str(), 0640), 0);
    EXPECT_EQ(Save(Path(), "new"), "saved");
    struct stat info;
    ASSERT_EQ(stat(Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, m_user.GetUid());
    EXPECT_EQ(info.st_gid, m_user.GetGid());
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    const std::string strRoots = m_dir.File("roots.log");
    WriteBytes(strRoots, "old");
    ASSERT_EQ(chmod(strRoots.c_str(), 02662), 0); // others may write; set-group-id
    m_user.Give(m_dir.Path());
    const auto save = [&] { return Save(strRoots, "new"); };
    std::string strOutput;
    if (!m_user.Run(m_dir.Path().string(), save, strOutput))
        GTEST_SKIP() << strOutput;
    EXPECT_EQ(strOutput, "saved");
    ASSERT_EQ(stat(strRoots.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, m_user.GetUid());
    EXPECT_EQ(info.st_mode & 07777, 0622u);
}

// A new file appears complete or not at all; a crashed save leaves only its
// temporary file, which the next save removes, and nothing else goes.
TEST_F(AtomicFileTest, NewFileAppearsOnlyWhenCompleteAndCrashLeftoversGo)
{
    {
        CAtomicFile file;
        ASSERT_TRUE(file.Open(Path()));
        ASSERT_TRUE(file.Write("half"));
        EXPECT_FALSE(std::filesystem::exists(Path()));
        EXPECT_EQ(m_dir.CountEntries(), 1u);
    }
    EXPECT_EQ(m_dir.CountEntries(), 0u);

    const pid_t pid = fork();
    if (pid == 0) {
        CAtomicFile file;
        const bool bOk = file.Open(Path()) && file.Write("half");
        _exit(bOk ? 0 : 1); // a crash: nothing is cleaned up
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(std::filesystem::exists(Path()));
    ASSERT_EQ(m_dir.CountEntries(), 1u);

    const char* kept[] = {"pilot.log.tmp-abcde",  "pilot.log.tmp-abcdefg", "other.log.tmp-abcdef",
                          "pilot.log.tmp-ab.def", "pilot.log.bak",         "pilot.logtmp-abcdef"};
    for (const char* name : kept)
        WriteBytes(m_dir.File(name), "keep");
    std::filesystem::create_directory(m_dir.File("pilot.log.tmp-folder"));
    std::filesystem::create_symlink(m_dir.File("pilot.log.bak"), m_dir.File("pilot.log.tmp-linked"));

    EXPECT_EQ(Save(Path(), "whole"), "saved");
    EXPECT_EQ(ReadBytes(Path()), "whole");
    EXPECT_EQ(m_dir.CountEntries(), std::size(kept) + 3);
    for (const char* name : kept)
        EXPECT_EQ(ReadBytes(m_dir.File(name)), "keep") << name;
}

// Every step's failure is reported, removes the temporary file and leaves
// the old file (or no file) behind.
TEST_F(AtomicFileTest, AFailedStepLeavesTheTargetAsItWas)
{
    const auto failWith = [](int nErrno) {
        return [nErrno](auto...) {
            errno = nErrno;
            return -1;
        };
    };
    const struct {
        const char* step;
        std::function<void(CFileCalls&)> breakIt;
        const char* error;
    } cases[] = {
        {"write", [&](CFileCalls& c) { c.Write = failWith(ENOSPC); }, "cannot write the file: No space left on device"},
        {"short write", [](CFileCalls& c) { c.Write = [](int, const void*, std::size_t) { return ssize_t{0}; }; },
         "cannot write the file: No space left on device"},
        {"fsync", [&](CFileCalls& c) { c.Fsync = failWith(EIO); },
         "cannot write the file to the disk: Input/output error"},
        {"close", [&](CFileCalls& c) { c.Close = failWith(EIO); }, "cannot write the file: Input/output error"},
        {"rename", [&](CFileCalls& c) { c.Rename = failWith(EXDEV); },
         "cannot replace the file: Invalid cross-device link"},
    };
    for (const bool bExists : {true, false}) {
        for (const auto& c : cases) {
            std::filesystem::remove(Path());
            if (bExists)
                WriteBytes(Path(), "old");
            CFileCalls calls;
            c.breakIt(calls);
            EXPECT_EQ(Save(Path(), "new", calls), c.error) << c.step;
            EXPECT_EQ(std::filesystem::exists(Path()), bExists) << c.step;
            EXPECT_EQ(ReadBytes(Path()), bExists ? "old" : "") << c.step;
            EXPECT_EQ(m_dir.CountEntries(), bExists ? 1u : 0u) << c.step;
        }
    }
    // Mode bits that cannot be set fail the save of an existing file.
    WriteBytes(Path(), "old");
    CFileCalls calls;
    calls.Fchmod = failWith(EPERM);
    EXPECT_EQ(Save(Path(), "new", calls), "cannot prepare the temporary file: Operation not permitted");
    EXPECT_EQ(ReadBytes(Path()), "old");
    EXPECT_EQ(m_dir.CountEntries(), 1u);
}

} // namespace
