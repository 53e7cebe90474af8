#include "log/settings.h"

#include "log/app_settings.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/scoped_env.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    std::string Path() const { return m_dir.File("Sortavel.ini"); }
    CScratchDir m_dir;
    CSettings m_settings{Path()};
};

TEST_F(SettingsTest, ReadsIntegersLikeTheCRuntime)
{
    const struct {
        const char* stored;
        std::int32_t expected;
    } cases[] = {
        {"", 1},                       // empty: the default
        {"abc", 0},                    // no digits
        {"0", 0},
        {"42x", 42},
        {"-7", -7},
        {"+5", 5},
        {"99999999999", INT_MAX},      // out of range stops at the limit
        {"-99999999999", INT_MIN},
        {"-2147483648", INT_MIN},
        {"000000000000007", 7},        // 15 characters are seen
        {"0000000000000078", 7},       // the 16th is not
    };
    for (const auto& c : cases) {
        WriteBytes(Path(), std::string("[Preferences]\nDate_Format=") + c.stored + "\n");
        EXPECT_EQ(m_settings.ReadInt("Preferences", "Date_Format", 1), c.expected) << c.stored;
    }
    EXPECT_EQ(m_settings.ReadInt("Preferences", "Absent", 3), 3);
    EXPECT_EQ(CSettings(m_dir.File("none.ini")).ReadInt("Preferences", "Init", 0), 0);
}

TEST_F(SettingsTest, ReadsSpans)
{
    WriteBytes(Path(), "[Preferences]\n"
                       "Ejection_Min=0-00:00:10\n"
                       "Long=1-02:03:04\n"
                       "Negative=-1-00:00:00\n"
                       "Wraps=30000-00:00:00\n"
                       "Empty=\n"
                       "Partial=0-00\n");
    const struct {
        const char* key;
        std::int32_t expected;
    } cases[] = {
        {"Ejection_Min", 10}, {"Long", 93784},  {"Negative", -86400},
        {"Wraps", static_cast<std::int32_t>(30000u * 86400u)},
        {"Empty", 3},         {"Absent", 3},    {"Partial", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(m_settings.ReadSpan("Preferences", c.key, 3).GetTotalSeconds(), c.expected) << c.key;
}

TEST_F(SettingsTest, TextsRoundTripThroughTheEscaping)
{
    const struct {
        const char* text;
        const char* stored;
    } cases[] = {
        {"C:\\Sim", "C:\\\\Sim"},
        {"one\r\ntwo\tthree", "one\\ntwo\\tthree"},
        {"C:\\Program Files\\Vortane\\", "C:\\\\Program Files\\\\Vortane\\\\"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(m_settings.WriteString("Preferences", "Vortane_Dir", c.text));
        EXPECT_EQ(ReadBytes(Path()), std::string("[Preferences]\nVortane_Dir=") + c.stored + "\n");
        EXPECT_EQ(m_settings.ReadString("Preferences", "Vortane_Dir", ""), c.text);
    }
    // The default is decoded as well; a stored empty value is not the default.
    EXPECT_EQ(m_settings.ReadString("File", "Last_STT", "a\\\\b\\tc\\x"), "a\\b\tcx");
    WriteBytes(Path(), "[File]\nLast_File=\n");
    EXPECT_EQ(m_settings.ReadString("File", "Last_File", "pilot.log"), "");
}

TEST_F(SettingsTest, LongTextsAreCut)
{
    WriteBytes(Path(), "[File]\nLast_File=" + std::string(20000, 'a') + "\n");
    EXPECT_EQ(m_settings.ReadString("File", "Last_File", ""), std::string(16383, 'a'));
}

TEST_F(SettingsTest, EmptyTextRemovesTheKey)
{
    m_settings.WriteString("Preferences", "Vortane_Dir", "C:\\Sim");
    m_settings.WriteInt("Preferences", "Date_Format", -12);
    EXPECT_EQ(ReadBytes(Path()), "[Preferences]\nVortane_Dir=C:\\\\Sim\nDate_Format=-12\n");
    EXPECT_TRUE(m_settings.WriteString("Preferences", "Vortane_Dir", ""));
    EXPECT_EQ(ReadBytes(Path()), "[Preferences]\nDate_Format=-12\n");
    EXPECT_EQ(m_settings.ReadString("Preferences", "Vortane_Dir", "none"), "none");
    // Nothing is cached: a second object sees the change at once.
    EXPECT_EQ(CSettings(Path()).ReadInt("Preferences", "Date_Format", 1), -12);
}

TEST(SettingsPathTest, LivesInTheUserConfigFolder)
{
    {
        CScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(CSettings().GetPath(), "/cfg/Sortavel.ini");
    }
    CScopedEnv home("HOME", "/home/pilot");
    {
        CScopedEnv config("XDG_CONFIG_HOME", "");
        EXPECT_EQ(CSettings::GetDefaultPath(), "/home/pilot/.config/Sortavel.ini");
    }
    CScopedEnv config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(CSettings::GetDefaultPath(), "/home/pilot/.config/Sortavel.ini");
}

TEST(AppSettingsTest, TheLatestLiveObjectIsCurrent)
{
    CAppSettings& fallback = AfxGetAppSettings();
    EXPECT_EQ(&AfxGetAppSettings(), &fallback); // none made: always the same fallback
    EXPECT_EQ(fallback.m_bShowMission, 0);
    {
        CAppSettings app;
        app.m_nDateFormat = 1;
        EXPECT_EQ(&AfxGetAppSettings(), &app);
        auto pSecond = std::make_unique<CAppSettings>();
        auto pThird = std::make_unique<CAppSettings>();
        EXPECT_EQ(&AfxGetAppSettings(), pThird.get());
        pSecond.reset(); // destroyed out of order
        EXPECT_EQ(&AfxGetAppSettings(), pThird.get());
        pThird.reset();
        EXPECT_EQ(&AfxGetAppSettings(), &app);
        EXPECT_EQ(AfxGetAppSettings().m_nDateFormat, 1);
    }
    EXPECT_EQ(&AfxGetAppSettings(), &fallback);
}

} // namespace
