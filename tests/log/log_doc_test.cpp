#include "log/log_doc.h"

#include "log/log_file.h"
#include "log/settings.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/scoped_env.h"
#include "tests/support/test_host.h"
#include "tests/support/unprivileged_user.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr const char* kFilter = "Log Files|*.log|All Files|*.*||";
constexpr unsigned kFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_NOREADONLYRETURN;

// Holds an advisory lock on a file, as another running instance would.
class CFileLock {
public:
    explicit CFileLock(const std::string& path) : m_nFd(::open(path.c_str(), O_RDONLY))
    {
        EXPECT_EQ(flock(m_nFd, LOCK_EX | LOCK_NB), 0);
    }
    ~CFileLock() { ::close(m_nFd); }
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

private:
    int m_nFd;
};

class LogDocTest : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return m_dir.File(name); }

    // A log on disk whose pilot is called strName.
    std::string MakeLog(const std::string& name, const std::string& strName)
    {
        CPilot pilot;
        pilot.SetName(strName);
        CLogFile file(File(name));
        pilot.Save(file);
        EXPECT_TRUE(file.Close());
        return File(name);
    }
    // The reasons the log file gives for failing to read or write a path.
    static std::string ReadFailure(const std::string& path)
    {
        CLogFile file(path);
        file.GetInt("Pilot", "Career_Count", 0);
        file.Close();
        return file.GetErrorText();
    }
    static std::string WriteFailure(const std::string& path)
    {
        CLogFile file(path);
        file.PutInt("Pilot", "Career_Count", 1);
        file.Close();
        return file.GetErrorText();
    }
    std::string Setting(const char* key) { return m_settings.ReadString("File", key, "<absent>"); }

    CScratchDir m_dir;
    CScopedEnv m_config{"XDG_CONFIG_HOME", m_dir.File("config").c_str()};
    CSettings m_settings;
    CTestHost m_host;
    CLogDoc m_doc;
};

TEST_F(LogDocTest, StartsUntitledAndUnchanged)
{
    EXPECT_EQ(m_doc.GetFileName(), "");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetPilot()->GetCareerCount(), 1);
    m_doc.SetPhoto("/pics/me.bmp");
    EXPECT_EQ(m_doc.GetPilot()->GetPhoto(), "/pics/me.bmp");
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(LogDocTest, OpenWithAPathReadsItWithoutTouchingTheSettings)
{
    const std::string path = MakeLog("ace.log", "Ace");
    EXPECT_TRUE(m_doc.Open(path));
    EXPECT_EQ(m_doc.GetPilot()->GetName(), "Ace");
    EXPECT_EQ(m_doc.GetFileName(), path);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(Setting("Last_File"), "<absent>");
    EXPECT_TRUE(m_host.GetFileDialogRequests().empty());
    EXPECT_EQ(m_host.GetWaitCursorCount(), 1);
    EXPECT_EQ(m_host.GetWaitCursorDepth(), 0);
}

TEST_F(LogDocTest, AMissingFileOpensAsANewLogWithItsName)
{
    MakeLog("ace.log", "Ace");
    ASSERT_TRUE(m_doc.Open(File("ace.log")));
    m_doc.RequestSave();
    const std::string path = File("new/rookie.log");
    EXPECT_TRUE(m_doc.Open(path));
    EXPECT_EQ(m_doc.GetFileName(), path);
    EXPECT_EQ(m_doc.GetPilot()->GetName(), "");
    EXPECT_EQ(m_doc.GetPilot()->GetCareerCount(), 1);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(LogDocTest, OpenWithoutAPathAsksAndRemembersTheChoice)
{
    const std::string path = MakeLog("ace.log", "Ace");
    m_host.ExpectFileDialog(path, 2)
        .AsOpen(true)
        .WithFileName("pilot.log")
        .WithDefExt("log")
        .WithFilter(kFilter)
        .WithFlags(kFlags)
        .WithFilterIndex(1);
    EXPECT_TRUE(m_doc.Open());
    EXPECT_EQ(m_doc.GetPilot()->GetName(), "Ace");
    EXPECT_EQ(m_doc.GetFileName(), path);
    EXPECT_EQ(Setting("Last_File"), path);
    EXPECT_EQ(m_settings.ReadInt("File", "Last_Filter", 0), 2);
}

TEST_F(LogDocTest, CancelledOpenKeepsAnUntitledLogAndRereadsATitledOne)
{
    m_doc.GetPilot()->SetName("Unsaved");
    m_host.ExpectFileDialogCancel();
    EXPECT_FALSE(m_doc.Open());
    EXPECT_EQ(m_doc.GetPilot()->GetName(), "Unsaved");
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_FALSE(std::filesystem::exists(m_settings.GetPath())); // nothing remembered

    const std::string path = MakeLog("ace.log", "Ace");
    ASSERT_TRUE(m_doc.Open(path));
    m_doc.GetPilot()->SetName("Changed");
    m_host.ExpectFileDialogCancel().WithFileName(path);
    EXPECT_TRUE(m_doc.Open());
    EXPECT_EQ(m_doc.GetPilot()->GetName(), "Ace");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(LogDocTest, TheDialogProposesTheCurrentThenTheLastThenTheDefaultName)
{
    m_host.ExpectFileDialogCancel().WithFileName("pilot.log");
    EXPECT_FALSE(m_doc.ChooseFile(true));
    m_settings.WriteString("File", "Last_File", "/logs/last.log");
    m_settings.WriteInt("File", "Last_Filter", 2);
    m_host.ExpectFileDialogCancel().WithFileName("/logs/last.log").WithFilterIndex(2).AsOpen(false);
    EXPECT_FALSE(m_doc.ChooseFile(false));
    EXPECT_EQ(m_doc.GetFileName(), "");

    const std::string path = File("current.log");
    ASSERT_TRUE(m_doc.Open(path));
    m_host.ExpectFileDialog(File("other.log"), 1).WithFileName(path);
    EXPECT_TRUE(m_doc.ChooseFile(true));
    EXPECT_EQ(m_doc.GetFileName(), File("other.log"));
    EXPECT_EQ(Setting("Last_File"), File("other.log"));
    EXPECT_EQ(m_settings.ReadInt("File", "Last_Filter", 0), 1);
}

TEST_F(LogDocTest, SaveWritesOnlyWhatChangedOrWasAskedFor)
{
    const std::string path = MakeLog("ace.log", "Ace");
    ASSERT_TRUE(m_doc.Open(path));
    WriteBytes(path, "untouched");
    EXPECT_TRUE(m_doc.Save());
    EXPECT_EQ(ReadBytes(path), "untouched");

    m_doc.RequestSave(); // the menu's "Save"
    // The bytes written behind its back count as another program's change.
    m_host.ExpectMessageBox("The log " + path +
                                " has been changed by another program since it was read here. Save over those changes?",
                            MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    EXPECT_TRUE(m_doc.Save());
    EXPECT_NE(ReadBytes(path).find("Name=Ace"), std::string::npos);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_host.GetWaitCursorDepth(), 0);
    EXPECT_EQ(Setting("Last_File"), "<absent>");
}

TEST_F(LogDocTest, SavingAnUntitledLogAsksForAName)
{
    m_doc.GetPilot()->SetName("Rookie");
    m_host.ExpectFileDialogCancel().AsOpen(false);
    EXPECT_FALSE(m_doc.Save());
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetFileName(), "");

    const std::string path = File("rookie.log");
    m_host.ExpectFileDialog(path).AsOpen(false).WithFlags(kFlags);
    EXPECT_TRUE(m_doc.Save());
    EXPECT_EQ(m_doc.GetFileName(), path);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(Setting("Last_File"), path);
    EXPECT_NE(ReadBytes(path).find("Name=Rookie"), std::string::npos);
}

TEST_F(LogDocTest, SaveAsNeedsChangesAndForgetsTheOldName)
{
    const std::string path = MakeLog("ace.log", "Ace");
    ASSERT_TRUE(m_doc.Open(path));
    EXPECT_FALSE(m_doc.SaveAs()); // unchanged: no dialog

    m_doc.RequestSave();
    m_host.ExpectFileDialogCancel().AsOpen(false).WithFileName("pilot.log");
    EXPECT_FALSE(m_doc.SaveAs());
    EXPECT_EQ(m_doc.GetFileName(), "");
    EXPECT_TRUE(m_doc.IsModified());

    const std::string copy = File("copy.log");
    m_host.ExpectFileDialog(copy).AsOpen(false);
    EXPECT_TRUE(m_doc.SaveAs());
    EXPECT_EQ(m_doc.GetFileName(), copy);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_NE(ReadBytes(copy).find("Name=Ace"), std::string::npos);
}

// Another run (an unattended one logging the last flight, say) saved the
// log after this document read it.
TEST_F(LogDocTest, AFileChangedElsewhereIsReplacedOnlyWhenTheUserSaysSo)
{
    const auto question = [](const std::string& path) {
        return "The log " + path +
               " has been changed by another program since it was read here. Save over those changes?";
    };
    const auto saveElsewhere = [](const std::string& path, const char* pszName) {
        CLogDoc other;
        ASSERT_TRUE(other.Open(path));
        other.GetPilot()->SetName(pszName);
        ASSERT_TRUE(other.Save()); // it read the file as it is: nothing to ask
    };
    const std::string path = MakeLog("ace.log", "Ace");
    ASSERT_TRUE(m_doc.Open(path));
    m_doc.GetPilot()->SetName("Mine");
    saveElsewhere(path, "Theirs");

    m_host.ExpectMessageBox(question(path), MB_YESNO | MB_ICONEXCLAMATION, IDNO);
    EXPECT_FALSE(m_doc.Save());
    EXPECT_NE(ReadBytes(path).find("Name=Theirs"), std::string::npos);
    EXPECT_TRUE(m_doc.IsModified());

    m_host.ExpectMessageBox(question(path), MB_YESNO | MB_ICONEXCLAMATION, IDYES);
    EXPECT_TRUE(m_doc.Save());
    EXPECT_NE(ReadBytes(path).find("Name=Mine"), std::string::npos);
    m_doc.GetPilot()->SetName("Again"); // after its own save, nothing to ask
    EXPECT_TRUE(m_doc.Save());

    // A log that had no file yet, and that another run then created.
    const std::string fresh = File("fresh.log");
    ASSERT_TRUE(m_doc.Open(fresh));
    m_doc.RequestSave();
    saveElsewhere(fresh, "Theirs");
    m_host.ExpectMessageBox(question(fresh), MB_YESNO | MB_ICONEXCLAMATION, IDNO);
    EXPECT_FALSE(m_doc.Save());
}

TEST_F(LogDocTest, AFailedSaveIsReportedAndKeepsTheChanges)
{
    // A target in a missing folder.
    const std::string missing = File("no/such/dir/x.log");
    m_doc.GetPilot()->SetName("Rookie");
    m_host.ExpectFileDialog(missing).AsOpen(false);
    m_host.ExpectMessageBox("Could not save the log to " + missing + ": " + WriteFailure(missing),
                            MB_OK | MB_ICONSTOP);
    EXPECT_FALSE(m_doc.Save());
    EXPECT_TRUE(m_doc.IsModified());
    m_host.Verify();

    // A log held by another instance: the file on disk stays the old one.
    const std::string path = MakeLog("ace.log", "Ace");
    const std::string before = ReadBytes(path);
    ASSERT_TRUE(m_doc.Open(path));
    m_doc.GetPilot()->SetName("Changed");
    {
        CFileLock lock(path);
        m_host.ExpectMessageBox("Could not save the log to " + path + ": " + WriteFailure(path),
                                MB_OK | MB_ICONSTOP);
        EXPECT_FALSE(m_doc.Save());
        EXPECT_TRUE(m_doc.IsModified());
        EXPECT_EQ(ReadBytes(path), before);
        m_host.Verify();
    }
    EXPECT_TRUE(m_doc.Save()); // the changes were kept for a later save
    EXPECT_NE(ReadBytes(path).find("Name=Changed"), std::string::npos);
}

// A log the user may not replace is refused in the system's words, or naming
// the folder where only the folder is closed to the user; the file stays.
TEST_F(LogDocTest, ASaveThePermissionsForbidIsRefusedAndTheLogKept)
{
    const CUnprivilegedUser user;
    const struct {
        const char* folder;
        mode_t nFileMode;
        mode_t nFolderMode;
        std::string reason;
    } cases[] = {
        {"read-only", 0444, 0755, "Permission denied"},
        {"closed", 0644, 0555,
         "cannot create a temporary file in the folder " + File("closed") + ": Permission denied"},
    };
    user.Give(m_dir.Path().string());
    std::vector<std::string> before; // per case: each log was made at its own second
    for (const auto& c : cases) {
        ASSERT_EQ(mkdir(File(c.folder).c_str(), 0755), 0);
        const std::string path = MakeLog(std::string(c.folder) + "/ace.log", "Ace");
        before.push_back(ReadBytes(path));
        ASSERT_EQ(chmod(path.c_str(), c.nFileMode), 0);
        user.Give(path);
        user.Give(File(c.folder));
        ASSERT_EQ(chmod(File(c.folder).c_str(), c.nFolderMode), 0);
    }
    const auto saveEach = [&] {
        for (const auto& c : cases) {
            const std::string path = File(c.folder) + "/ace.log";
            if (!m_doc.Open(path))
                return "cannot open " + path;
            m_doc.GetPilot()->SetName("Changed");
            m_host.ExpectMessageBox("Could not save the log to " + path + ": " + c.reason, MB_OK | MB_ICONSTOP);
            if (m_doc.Save() || !m_doc.IsModified())
                return "saved " + path;
            m_host.Verify();
        }
        return std::string();
    };
    std::string strOutput;
    const bool bRan = user.Run(m_dir.Path().string(), saveEach, strOutput);
    for (const auto& c : cases)
        chmod(File(c.folder).c_str(), 0755); // so that the folder can be removed
    if (!bRan)
        GTEST_SKIP() << strOutput;
    EXPECT_EQ(strOutput, "");
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ReadBytes(File(cases[i].folder) + "/ace.log"), before[i]) << cases[i].folder;
}

TEST_F(LogDocTest, AnUnreadableLogIsReportedAndTheOpenLogKept)
{
    const std::string current = MakeLog("ace.log", "Ace");
    ASSERT_TRUE(m_doc.Open(current));
    m_doc.GetPilot()->SetName("Unsaved");
    CPilot* pPilot = m_doc.GetPilot();

    const std::string folder = File("folder.log");
    std::filesystem::create_directory(folder);
    const std::string damaged = File("damaged.log");
    WriteBytes(damaged, "[Pilot]\r\nName=Broken\r\nCareer_Count=100001\r\n");
    const std::string locked = MakeLog("locked.log", "Locked");
    CFileLock lock(locked);
    const std::string notes = File("notes.txt");
    WriteBytes(notes, "Buy milk\n[Shopping]\nEggs=12\n");

    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {folder, ReadFailure(folder)},
        {locked, ReadFailure(locked)},
        {damaged, "the file is damaged"},
        {notes, "the file is not a pilot log"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        m_host.ExpectMessageBox("Could not read the log " + c.path + ": " + c.reason, MB_OK | MB_ICONSTOP);
        EXPECT_FALSE(m_doc.Open(c.path));
        m_host.Verify();
        EXPECT_EQ(m_doc.GetPilot(), pPilot);
        EXPECT_EQ(m_doc.GetPilot()->GetName(), "Unsaved");
        EXPECT_EQ(m_doc.GetFileName(), current);
        EXPECT_TRUE(m_doc.IsModified());
    }
    EXPECT_EQ(ReadBytes(notes), "Buy milk\n[Shopping]\nEggs=12\n");
    EXPECT_EQ(m_host.GetWaitCursorDepth(), 0);

    // Chosen in the dialog: the choice is remembered, the log still kept.
    m_host.ExpectFileDialog(damaged);
    m_host.ExpectMessageBox("Could not read the log " + damaged + ": the file is damaged", MB_OK | MB_ICONSTOP);
    EXPECT_FALSE(m_doc.Open());
    EXPECT_EQ(Setting("Last_File"), damaged);
    EXPECT_EQ(m_doc.GetFileName(), current);
}

TEST(CurrentLogDocTest, IsClearedWhenTheDocumentGoes)
{
    EXPECT_EQ(GetCurrentLogDoc(), nullptr);
    {
        CLogDoc doc;
        SetCurrentLogDoc(&doc);
        EXPECT_EQ(GetCurrentLogDoc(), &doc);
    }
    EXPECT_EQ(GetCurrentLogDoc(), nullptr);
}

} // namespace
