#include "log/log_file.h"

#include "tests/support/scratch_dir.h"
#include "tests/support/scoped_env.h"

#include <cerrno>
#include <climits>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class LogFileTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("pilot.log"); }
    static CFileCalls DiskFull()
    {
        CFileCalls calls;
        calls.Write = [](int, const void*, std::size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        };
        return calls;
    }
    CScratchDir m_dir;
};

TEST_F(LogFileTest, WritesHeadersWhenTheSectionChanges)
{
    CLogFile file(Path());
    EXPECT_FALSE(file.PutText("Pilot", "Photo", ""));   // no line, no header
    EXPECT_TRUE(file.PutText("Pilot", "Name", "A. Pilot"));
    EXPECT_TRUE(file.PutText("PILOT", "Unit", "4th"));  // same section, any case
    EXPECT_TRUE(file.PutSpan("C0", "Started", 3725));
    EXPECT_TRUE(file.PutEntry("C0", "Empty", ""));
    EXPECT_TRUE(file.PutInt("C0", "Count", -5));
    EXPECT_TRUE(file.PutTime("C0", "Never", CTime()));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(Path()), "[Pilot]\r\nName=A. Pilot\r\nUnit=4th\r\n[C0]\r\nStarted=0-01:02:05\r\n"
                                 "Empty=\r\nCount=-5\r\nNever=\r\n");
}

TEST_F(LogFileTest, TextsRoundTripThroughTheEscaping)
{
    const std::string text = "Hit by SAM\r\nEjected\tok\\";
    {
        CLogFile file(Path());
        file.PutText("Pilot", "Note", text);
        file.PutTime("Pilot", "Flown", CTime());
    }
    EXPECT_EQ(ReadBytes(Path()), "[Pilot]\r\nNote=Hit by SAM\\nEjected\\tok\\\\\r\nFlown=\r\n");
    CLogFile file(Path());
    EXPECT_EQ(file.GetText("Pilot", "Note"), text);
    EXPECT_EQ(file.GetTime("Pilot", "Flown", CTime(77)), CTime(77)); // written invalid: the default
    EXPECT_EQ(file.GetEntry("Pilot", "Note", "x"), "Hit by SAM\\nEjected\\tok\\\\");
}

TEST_F(LogFileTest, BlanksAtTheEndsOfATextSurviveTheReadersTrimming)
{
    const std::string texts[] = {"  two blanks", "Sweep ", " ", "\v\f", "x \\"};
    {
        CLogFile file(Path());
        for (std::size_t i = 0; i < std::size(texts); ++i)
            file.PutText("Pilot", "T" + std::to_string(i), texts[i]);
    }
    EXPECT_EQ(ReadBytes(Path()), "[Pilot]\r\nT0=\\  two blanks\r\nT1=Sweep \\\r\nT2=\\ \\\r\nT3=\\\v\f\\\r\n"
                                 "T4=x \\\\\r\n");
    CLogFile file(Path());
    for (std::size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(file.GetText("Pilot", "T" + std::to_string(i)), texts[i]) << i;
}

TEST_F(LogFileTest, ReadsHandEditedFilesTolerantly)
{
    const std::string longValue(300000, 'v');
    WriteBytes(Path(), "stray=before any header\n"
                       "[c1]\n"
                       "Value = one \n"
                       "[pilot]\r\n"
                       "\n"
                       "NAME=  Falcon 2  \t\r\n"
                       "=no key\n"
                       "no equals sign\n"
                       "a=b=c\n"
                       "Trail=ends in \\\n"
                       "Long=" + longValue + "\n"
                       "[C0\n"          // header without its closing bracket
                       "Started=1998/11/02-19:40:00\n"
                       "Dup=first\n"
                       "Dup=second\n"
                       "Last=no line end");
    CScopedTimeZone zone("UTC");
    CLogFile file(Path());
    EXPECT_EQ(file.GetText("Pilot", "Name"), "Falcon 2");
    EXPECT_EQ(file.GetEntry("Pilot", "A", ""), "b=c");
    EXPECT_EQ(file.GetText("Pilot", "Trail"), "ends in ");
    EXPECT_EQ(file.GetEntry("Pilot", "Long", ""), longValue);
    EXPECT_EQ(file.GetEntry("Pilot", "", "none"), "none");
    EXPECT_EQ(file.GetEntry("Pilot", "stray", "none"), "none");
    EXPECT_EQ(file.GetTime("c", "Started", CTime()).GetTime(), 910035600);  // "[C0" names "C"
    EXPECT_EQ(file.GetEntry("C", "Dup", ""), "first");
    EXPECT_EQ(file.GetEntry("C", "Last", ""), "no line end");
    EXPECT_EQ(file.GetEntry("C1", "Value", ""), "one");                      // behind us: wraps round
    EXPECT_EQ(file.GetEntry("Missing", "Value", "default"), "default");
    EXPECT_EQ(file.GetEntry("PILOT", "Name", ""), "Falcon 2");
    EXPECT_TRUE(file.Close());
}

TEST_F(LogFileTest, LookupsFollowTheCursorRoundTheSection)
{
    WriteBytes(Path(), "[S]\nA=1\nB=2\nA=3\nC=4\n");
    CLogFile file(Path());
    EXPECT_EQ(file.GetEntry("S", "C", ""), "4");
    EXPECT_EQ(file.GetEntry("S", "A", ""), "1"); // wraps from the last key to the first
    EXPECT_EQ(file.GetEntry("S", "B", ""), "2");
    EXPECT_EQ(file.GetEntry("S", "A", ""), "3"); // the next one going forward
    EXPECT_EQ(file.GetEntry("S", "Z", "-"), "-");
    EXPECT_EQ(file.GetEntry("S", "C", ""), "4");
}

TEST_F(LogFileTest, SearchGoesOnwardThenRoundTheFile)
{
    const struct {
        const char* section;
        const char* value;
    } requests[] = {
        {"Career3Mission17", "4"},
        {"A", "1"},
        {"B", "2"},
        {"A", "3"},       // the next "A" onward
        {"Missing", "-"}, // gives up at the start
        {"a", "1"},
        {"CAREER3mission17", "4"},
        {"b", "2"}, // any case
    };
    // Sections close together are found by reading on, far apart through an index.
    for (const std::size_t nPadding : {0, 100000}) {
        const std::string pad = nPadding == 0 ? "" : "Pad=" + std::string(nPadding, 'p') + "\n";
        WriteBytes(Path(), "[A]\nK=1\n" + pad + "[B]\nK=2\n" + pad + "[A]\nK=3\n" + pad + "[Career3Mission17]\nK=4\n");
        CLogFile file(Path());
        for (const auto& r : requests)
            EXPECT_EQ(file.GetEntry(r.section, "K", "-"), r.value) << r.section << " " << nPadding;
    }
}

TEST_F(LogFileTest, ConvertsIntegersWithoutOverflowChecks)
{
    WriteBytes(Path(), "[K]\nEmpty=\nWord=abc\nTail=12xyz\nPlus= +7\nMin=-2147483648\n"
                       "Huge=99999999999\nMinusHuge=-99999999999\nSign=-\n");
    CLogFile file(Path());
    const struct {
        const char* key;
        std::int32_t value;
    } cases[] = {
        {"Empty", 42}, {"Missing", 42},     {"Word", 0},
        {"Tail", 12},  {"Plus", 7},         {"Min", INT_MIN},
        {"Huge", 1215752191}, {"MinusHuge", -1215752191}, {"Sign", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file.GetInt("K", c.key, 42), c.value) << c.key;
        EXPECT_EQ(file.ReadRecord("k").GetInt(c.key, 42), c.value) << c.key; // a record's reads agree
    }
}

TEST_F(LogFileTest, OneDirectionPerObject)
{
    WriteBytes(Path(), "[S]\nK=v\n");
    {
        CLogFile reader(Path());
        EXPECT_EQ(reader.GetEntry("S", "K", ""), "v");
        EXPECT_FALSE(reader.PutEntry("S", "K", "w"));
    }
    CLogFile writer(Path());
    EXPECT_TRUE(writer.PutEntry("S", "K", "w"));
    EXPECT_EQ(writer.GetEntry("S", "K", "default"), "default");
    EXPECT_EQ(writer.ReadRecord("S").GetSpan("K", 7), CTimeSpan(7));
    EXPECT_TRUE(writer.Close());
    EXPECT_TRUE(writer.Close()); // idempotent
    EXPECT_FALSE(writer.PutEntry("S", "K", "x"));
    EXPECT_EQ(writer.ReadRecord("S").GetInt("K", 7), 7);
    EXPECT_EQ(ReadBytes(Path()), "[S]\r\nK=w\r\n");
}

TEST_F(LogFileTest, CachedSectionIsNotReadAgain)
{
    WriteBytes(Path(), "[S]\nA=1\nB=2\n");
    CLogFile file(Path());
    EXPECT_EQ(file.GetEntry("S", "A", ""), "1");
    ASSERT_EQ(truncate(Path().c_str(), 0), 0);
    EXPECT_EQ(file.GetEntry("s", "B", ""), "2");
}

TEST_F(LogFileTest, MissingFileGivesDefaultsAndReportsTheFailedOpen)
{
    CLogFile file(Path());
    EXPECT_EQ(file.GetInt("Pilot", "Career_Count", 3), 3);
    EXPECT_EQ(file.GetText("Pilot", "Name"), "");
    EXPECT_TRUE(file.HasFailed());
    EXPECT_FALSE(file.GetErrorText().empty());
    EXPECT_FALSE(file.Close());
}

TEST_F(LogFileTest, FailedWriteLeavesThePreviousFileUntouched)
{
    const std::string before = "[Pilot]\r\nName=Old\r\n";
    WriteBytes(Path(), before);
    CLogFile file(Path(), DiskFull());
    EXPECT_TRUE(file.PutText("Pilot", "Name", "New"));
    // Enough lines to fill the write buffer: the failure shows as refused lines.
    bool bAllWritten = true;
    for (int i = 0; i < 20000; ++i)
        bAllWritten = file.PutInt("C0", "Key", i) && bAllWritten;
    EXPECT_FALSE(bAllWritten);
    EXPECT_TRUE(file.HasFailed());
    EXPECT_FALSE(file.Close());
    EXPECT_NE(file.GetErrorText().find("cannot write"), std::string::npos) << file.GetErrorText();
    EXPECT_EQ(ReadBytes(Path()), before);
    EXPECT_EQ(m_dir.CountEntries(), 1u); // no temporary file left behind
}

TEST_F(LogFileTest, ASaveLargerThanTheReaderTakesFails)
{
    const std::string before = "[Pilot]\r\nName=Old\r\n";
    WriteBytes(Path(), before);
    CFileCalls calls; // the bytes are counted, not stored
    calls.Write = [](int, const void*, std::size_t n) { return static_cast<ssize_t>(n); };
    CLogFile file(Path(), calls);
    const std::string text(64u << 20, 'x');
    bool bAllWritten = true;
    for (int i = 0; i < 17 && bAllWritten; ++i)
        bAllWritten = file.PutEntry("Pilot", "Note" + std::to_string(i), text);
    EXPECT_FALSE(bAllWritten);
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(file.GetErrorText(), "the log would be larger than 1 GiB");
    EXPECT_EQ(ReadBytes(Path()), before);
}

TEST_F(LogFileTest, FailedSaveOfANewFileLeavesNothing)
{
    CLogFile file(Path(), DiskFull());
    EXPECT_TRUE(file.PutText("Pilot", "Name", "New"));
    EXPECT_FALSE(file.Close());
    EXPECT_EQ(m_dir.CountEntries(), 0u);
}

TEST_F(LogFileTest, UnusableTargetsFailToOpen)
{
    const std::string pipe = m_dir.File("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    {
        CLogFile reader(pipe);
        EXPECT_EQ(reader.GetEntry("Pilot", "Name", "none"), "none");
        EXPECT_FALSE(reader.Close());
    }
    for (const std::string& target : {m_dir.File("no/such/dir/pilot.log"), m_dir.Path().string(), pipe}) {
        CLogFile file(target);
        EXPECT_FALSE(file.PutText("Pilot", "Name", "x")) << target;
        EXPECT_FALSE(file.PutText("Pilot", "Unit", "y")) << target;
        EXPECT_TRUE(file.HasFailed()) << target;
        EXPECT_FALSE(file.Close()) << target;
        EXPECT_EQ(m_dir.CountEntries(), 1u) << target; // only the pipe
    }
}

TEST_F(LogFileTest, SavingKeepsPermissionBitsAndSymbolicLinks)
{
    WriteBytes(Path(), "[S]\r\nK=old\r\n");
    ASSERT_EQ(chmod(Path().c_str(), 0640), 0);
    const std::string link = m_dir.File("link.log");
    std::filesystem::create_symlink(Path(), link);
    {
        CLogFile file(link);
        file.PutEntry("S", "K", "new");
        EXPECT_TRUE(file.Close());
    }
    struct stat info;
    ASSERT_EQ(stat(Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(Path()), "[S]\r\nK=new\r\n");

    // A link to a file not made yet: the file is made where it points.
    std::filesystem::create_symlink("new.log", m_dir.File("ahead.log"));
    {
        CLogFile file(m_dir.File("ahead.log"));
        file.PutEntry("S", "K", "ahead");
        EXPECT_TRUE(file.Close());
    }
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir.File("ahead.log")));
    EXPECT_EQ(ReadBytes(m_dir.File("new.log")), "[S]\r\nK=ahead\r\n");
}

TEST_F(LogFileTest, SecondOpenerFailsWhileTheFileIsInUse)
{
    WriteBytes(Path(), "[S]\nK=v\n");
    {
        CLogFile reader(Path());
        EXPECT_EQ(reader.GetEntry("S", "K", ""), "v");

        CLogFile otherReader(Path());
        EXPECT_EQ(otherReader.GetEntry("S", "K", "busy"), "busy");
        EXPECT_EQ(otherReader.GetErrorText(), "the file is in use by another program");

        CLogFile writer(Path());
        EXPECT_FALSE(writer.PutEntry("S", "K", "w"));
        EXPECT_FALSE(writer.Close());
    }
    {
        CLogFile writer(Path());
        EXPECT_TRUE(writer.PutEntry("S", "K", "w"));
        CLogFile reader(Path());
        EXPECT_EQ(reader.GetEntry("S", "K", "busy"), "busy");
        EXPECT_TRUE(writer.Close());
    }
    CLogFile reader(Path());
    EXPECT_EQ(reader.GetEntry("S", "K", ""), "w");
}

TEST_F(LogFileTest, WriterOfANewFileLocksOutOtherWriters)
{
    CLogFile first(Path());
    EXPECT_TRUE(first.PutEntry("S", "K", "first"));
    CLogFile second(Path());
    EXPECT_FALSE(second.PutEntry("S", "K", "second"));
    EXPECT_FALSE(second.Close());
    EXPECT_TRUE(first.Close());
    EXPECT_EQ(ReadBytes(Path()), "[S]\r\nK=first\r\n");
}

} // namespace
