#include "platform/profile.h"

#include "tests/support/scratch_dir.h"
#include "tests/support/unprivileged_user.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utility>

namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("Sortavel.ini"); }
    std::optional<std::string> Find(std::string_view section, std::string_view key) const
    {
        return FindPrivateProfileString(section, key, Path());
    }
    bool Write(std::string_view section, std::string_view key, std::optional<std::string_view> value)
    {
        return WritePrivateProfileString(section, key, value, Path());
    }
    CScratchDir m_dir;
};

TEST_F(ProfileTest, ReadsHandEditedFilesLikeThePlatform)
{
    WriteBytes(Path(), "; settings\n"
                       "stray=before any header\n"
                       "[Preferences]\r\n"
                       "Date_Format = 0 \r\n"
                       "  vortane_dir=  \"C:\\Sim\"  \n"
                       "Quoted='single'\n"
                       "Mismatch=\"open'\n"
                       "Empty=\n"
                       "Dup=first\n"
                       "DUP=second\n"
                       "no equals sign\n"
                       "=no key\n"
                       "[ File ]\n"
                       "Last_File=pilot.log\n"
                       "[preferences]\n"
                       "Later=x\n"
                       "Dup=third");
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    } cases[] = {
        {"PREFERENCES", "date_format", "0"},
        {"Preferences", "Vortane_Dir", "C:\\Sim"},
        {"Preferences", "Quoted", "single"},
        {"Preferences", "Mismatch", "\"open'"},
        {"Preferences", "Empty", ""},
        {"Preferences", "Dup", "first"},
        {"File", "Last_File", "pilot.log"},
        {"Preferences", "Later", "x"}, // a second section of the same name
        {"Preferences", "stray", std::nullopt},
        {"Preferences", "no equals sign", std::nullopt},
        {"Preferences", "", std::nullopt},
        {"Missing", "Date_Format", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Find(c.section, c.key), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(GetPrivateProfileString("Preferences", "Empty", "d", Path()), "");
    EXPECT_EQ(GetPrivateProfileString("Preferences", "Absent", "d", Path()), "d");
    EXPECT_EQ(GetPrivateProfileString("File", "Last_File", "d", m_dir.File("none.ini")), "d");
}

TEST_F(ProfileTest, FirstWriteCreatesTheFileAndItsFolders)
{
    const std::string path = m_dir.File("a/b/Sortavel.ini");
    EXPECT_TRUE(WritePrivateProfileString("File", "Last_Filter", "2", path));
    EXPECT_EQ(ReadBytes(path), "[File]\nLast_Filter=2\n");
    EXPECT_TRUE(WritePrivateProfileString("Preferences", "Init", "1", path));
    EXPECT_EQ(ReadBytes(path), "[File]\nLast_Filter=2\n\n[Preferences]\nInit=1\n");
    // Removing a key from a file that does not exist creates nothing.
    const std::string other = m_dir.File("c/Sortavel.ini");
    EXPECT_TRUE(WritePrivateProfileString("File", "Last_File", std::nullopt, other));
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "c"));
}

TEST_F(ProfileTest, WritesChangeOnlyTheirOwnLines)
{
    WriteBytes(Path(), "; keep me\r\n"
                       "[Preferences]\r\n"
                       "Log_Events=1\r\n"
                       "odd line\r\n"
                       "date_format = 1\r\n"
                       "\r\n"
                       "; about File\r\n"
                       "[File]\r\n"
                       "Last_File=a.log\r\n"
                       "last_file=shadowed.log\r\n");
    EXPECT_TRUE(Write("PREFERENCES", "Date_Format", "0"));
    EXPECT_TRUE(Write("Preferences", "Vortane_Dir", "C:\\\\Sim"));
    EXPECT_TRUE(Write("File", "Last_Filter", "2"));
    EXPECT_EQ(ReadBytes(Path()), "; keep me\r\n"
                                 "[Preferences]\r\n"
                                 "Log_Events=1\r\n"
                                 "odd line\r\n"
                                 "Date_Format=0\r\n"
                                 "Vortane_Dir=C:\\\\Sim\n"
                                 "\r\n"
                                 "; about File\r\n"
                                 "[File]\r\n"
                                 "Last_File=a.log\r\n"
                                 "last_file=shadowed.log\r\n"
                                 "Last_Filter=2\n");
    // Removing a key removes every line of it, so no duplicate shows through.
    EXPECT_TRUE(Write("file", "LAST_FILE", std::nullopt));
    EXPECT_EQ(Find("File", "Last_File"), std::nullopt);
    EXPECT_EQ(Find("File", "Last_Filter"), "2");
    EXPECT_NE(ReadBytes(Path()).find("; about File\r\n[File]\r\nLast_Filter=2\n"), std::string::npos);
}

TEST_F(ProfileTest, ValuesReadBackAsWritten)
{
    const struct {
        const char* value;
        const char* stored;
    } cases[] = {
        {"plain", "plain"},        {" padded ", "\" padded \""}, {"'q'", "\"'q'\""},
        {"\"\"", "\"\"\"\""},      {"\"half", "\"half"},         {"a = b", "a = b"},
        {"\t", "\"\t\""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Write("S", "Key", c.value));
        EXPECT_EQ(ReadBytes(Path()), std::string("[S]\nKey=") + c.stored + "\n");
        EXPECT_EQ(Find("S", "Key"), c.value);
    }
}

TEST_F(ProfileTest, RewriteIsAtomicAndKeepsTheFileMode)
{
    WriteBytes(Path(), "[S]\nKey=v\n");
    ASSERT_EQ(chmod(Path().c_str(), 0640), 0);
    const std::string link = m_dir.File("link.ini");
    ASSERT_EQ(symlink(Path().c_str(), link.c_str()), 0);
    EXPECT_TRUE(WritePrivateProfileString("S", "Other", "w", link));
    struct stat info;
    ASSERT_EQ(stat(Path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(Path()), "[S]\nKey=v\nOther=w\n");
    EXPECT_EQ(m_dir.CountEntries(), 2u); // no temporary file left behind
}

TEST_F(ProfileTest, FailedWritesLeaveEverythingAsItWas)
{
    WriteBytes(Path(), "[S]\nKey=v\n");
    const std::pair<const char*, const char*> refused[] = {
        {"Key", "two\nlines"}, {"Key", "cr\r"}, {"a=b", "v"}, {" ", "v"}, {"[T]", "v"}};
    for (const auto& [key, value] : refused)
        EXPECT_FALSE(Write("S", key, value)) << key;
    EXPECT_FALSE(Write("S]", "Key", "v"));
    EXPECT_EQ(ReadBytes(Path()), "[S]\nKey=v\n");
    std::filesystem::remove(Path());

    std::filesystem::create_directory(Path()); // a folder where the file should be
    EXPECT_FALSE(Write("S", "Key", "v"));
    EXPECT_EQ(Find("S", "Key"), std::nullopt);

    WriteBytes(m_dir.File("plain"), "x");
    EXPECT_FALSE(WritePrivateProfileString("S", "Key", "v", m_dir.File("plain/Sortavel.ini")));

    // A file far larger than any settings file is read in part, never rewritten.
    const std::string big = m_dir.File("big.ini");
    WriteBytes(big, "[S]\nKey=v\n" + std::string(5 * 1024 * 1024, 'x'));
    EXPECT_EQ(GetPrivateProfileString("S", "Key", "", big), "v");
    EXPECT_FALSE(WritePrivateProfileString("S", "Key", "w", big));
    EXPECT_EQ(std::filesystem::file_size(big), 10u + 5 * 1024 * 1024);
}

TEST_F(ProfileTest, AFileTheUserMayNotWriteIsNotReplaced)
{
    const CUnprivilegedUser user;
    WriteBytes(Path(), "[S]\nKey=v\n");
    ASSERT_EQ(chmod(Path().c_str(), 0444), 0);
    user.Give(Path());
    user.Give(m_dir.Path().string());
    const auto write = [&] { return Write("S", "Key", "w") ? "written" : "refused"; };
    std::string strOutput;
    if (!user.Run(m_dir.Path().string(), write, strOutput))
        GTEST_SKIP() << strOutput;
    EXPECT_EQ(strOutput, "refused");
    EXPECT_EQ(ReadBytes(Path()), "[S]\nKey=v\n");
    EXPECT_EQ(m_dir.CountEntries(), 1u);
}

TEST_F(ProfileTest, JunkNeverCrashes)
{
    std::string junk("[S]\nKey=v\n", 10);
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 37) & 0xFF);
    junk += "\n[S\n[]\n=\n[S]x\nNul=a";
    junk += '\0';
    junk += "b\n" + std::string(1 << 20, '[') + "\n";
    WriteBytes(Path(), junk);
    EXPECT_EQ(Find("S", "Key"), "v");
    EXPECT_EQ(Find("S", "Nul"), std::string("a\0b", 3));
    EXPECT_TRUE(Write("S", "Key", "w"));
    EXPECT_EQ(Find("S", "Key"), "w");
    EXPECT_EQ(ReadBytes(Path()).size(), junk.size());
}

} // namespace
