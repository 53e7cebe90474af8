// Loading debrief files and the queries on their events.
#include "debrief/debrief.h"
#include "platform/host.h"
#include "platform/message_box.h"
#include "tests/support/debrief_builder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <cerrno>
#include <filesystem>

namespace {

// Records the message boxes shown and answers OK.
class CMessageRecorder : public CHost {
public:
    int MessageBox(const std::string& strText, unsigned nType) override
    {
        m_texts.push_back(strText);
        m_types.push_back(nType);
        return IDOK;
    }
    int RunFileDialog(CFileDialog&) override { return IDCANCEL; }
    bool BeginModal(CDialog&) override { return false; }
    void RunModalLoop(CDialog&) override {}

    std::vector<std::string> m_texts;
    std::vector<unsigned> m_types;
};

class DebriefTest : public ::testing::Test {
protected:
    // Writes the builder's file and loads it.
    bool Load(const CDebriefBuilder& builder) { return LoadBytes(builder.Bytes()); }
    bool LoadBytes(const std::vector<std::uint8_t>& bytes) { return LoadBytes(m_debrief, bytes); }
    // Into a fresh object of the caller's.
    bool LoadBytes(CDebrief& debrief, const std::vector<std::uint8_t>& bytes)
    {
        WriteBytes(m_file.GetPath(), bytes);
        return debrief.Open(m_file.GetPath());
    }
    DebriefEventList Objects(std::uint16_t nId) const
    {
        DebriefEventList list{nullptr}; // the query must empty it first
        m_debrief.GetObjectEvents(nId, list);
        return list;
    }
    DebriefEventList Children(std::uint16_t nId) const
    {
        DebriefEventList list{nullptr};
        m_debrief.GetChildEvents(nId, list);
        return list;
    }
    const DebriefEvent* At(std::size_t i) const { return &m_debrief.m_pEvents.at(i); }

    CMessageRecorder m_host;
    CHostScope m_scope{m_host};
    CTempDebrief m_file;
    CDebrief m_debrief;
};

CDebriefBuilder WithEvents(std::size_t nCount)
{
    CDebriefBuilder builder;
    for (std::size_t i = 0; i < nCount; ++i)
        builder.AddObject(Seconds(static_cast<std::uint32_t>(i + 1)), 10, 70);
    return builder;
}

} // namespace

TEST_F(DebriefTest, ReadsEveryFieldLittleEndian)
{
    CDebriefBuilder builder;
    builder.SetTitle("Strike at dawn").SetBaseTime(Sixteenths(0x01020304));
    builder.SetHeader({0xDE, 0xAD, 0xBE, 0xEF});
    std::vector<std::uint8_t> mission(39);
    for (std::size_t i = 0; i < mission.size(); ++i)
        mission[i] = static_cast<std::uint8_t>(0x80 + i);
    builder.SetMissionBlock(mission);
    const DebriefEvent event{0xA1B2C3D4, 0xF00D, 3, 0x11, 5, 0x22, 0x1234, 0xFFFE, 0x8001};
    builder.Add(event);

    ASSERT_TRUE(Load(builder));
    EXPECT_EQ(m_debrief.GetTitle(), "Strike at dawn");
    ASSERT_EQ(m_debrief.m_nEvents, 1u);
    EXPECT_EQ(m_debrief.m_pEvents[0], event);
    EXPECT_EQ(m_debrief.m_header, (std::array<std::uint8_t, 4>{0xDE, 0xAD, 0xBE, 0xEF}));
    EXPECT_EQ(m_debrief.m_mission[0], 0x80);
    EXPECT_EQ(m_debrief.m_mission[38], 0x80 + 38);
    EXPECT_EQ(m_debrief.GetBaseTime(), 0x01020304u);
    EXPECT_EQ(m_debrief.GetLastEvent(), At(0));
    EXPECT_TRUE(m_host.m_texts.empty());
}

TEST_F(DebriefTest, TitleCases)
{
    EXPECT_EQ(CDebrief().GetTitle(), "No Title");

    ASSERT_TRUE(Load(WithEvents(1).SetTitle("")));
    EXPECT_EQ(m_debrief.GetTitle(), "");

    CDebrief cut;
    ASSERT_TRUE(LoadBytes(cut, WithEvents(2).SetTitle(std::string("Red\0Flag", 8)).Bytes()));
    EXPECT_EQ(cut.GetTitle(), "Red");
    EXPECT_EQ(cut.m_nEvents, 2u); // the bytes after the zero still belong to the title
}

TEST_F(DebriefTest, TrailingPieceIsDroppedAndRecordsBeforeItStay)
{
    std::vector<std::uint8_t> bytes = WithEvents(3).Bytes();
    bytes.erase(bytes.end() - 6, bytes.end()); // the last record cut to 10 bytes
    ASSERT_TRUE(LoadBytes(bytes));
    EXPECT_EQ(m_debrief.m_nEvents, 2u);
    EXPECT_EQ(m_debrief.m_pEvents[1].time, 2u * 16);
}

TEST_F(DebriefTest, FilesWithoutACompleteRecordLoadNothingSilently)
{
    const std::vector<std::uint8_t> headerOnly = CDebriefBuilder().Bytes();
    ASSERT_EQ(headerOnly.size(), 53u);
    std::vector<std::uint8_t> titleTooLong = WithEvents(1).SetTitle("abc").Bytes();
    titleTooLong[45] = 0xFF; // the title would run past the end
    titleTooLong[46] = 0xFF;
    std::vector<std::uint8_t> fifteen = headerOnly;
    fifteen.resize(53 + 15, 7);
    const std::vector<std::vector<std::uint8_t>> inputs = {
        {}, {1, 2, 3}, std::vector<std::uint8_t>(46, 9), headerOnly, titleTooLong, fifteen};
    for (const auto& bytes : inputs) {
        CDebrief debrief;
        EXPECT_FALSE(LoadBytes(debrief, bytes)) << bytes.size();
        EXPECT_EQ(debrief.m_nEvents, 0u);
        EXPECT_TRUE(debrief.m_pEvents.empty());
        EXPECT_EQ(debrief.FindPlayer(), kNoObject);
        EXPECT_EQ(debrief.GetLastEvent(), nullptr);
    }
    EXPECT_TRUE(m_host.m_texts.empty());
}

TEST_F(DebriefTest, HeaderOnlyFileHasAnEmptyTitle)
{
    EXPECT_FALSE(Load(CDebriefBuilder()));
    EXPECT_EQ(m_debrief.GetTitle(), "");
}

TEST_F(DebriefTest, MissingFileAndDirectoryShowTheOpenMessage)
{
    const std::string strMissing = m_file.GetDir() + "/%s%n missing.stt";
    EXPECT_FALSE(m_debrief.Open(strMissing));
    CDebrief directory;
    EXPECT_FALSE(directory.Open(m_file.GetDir()));
    EXPECT_EQ(directory.GetTitle(), "No Title");

    ASSERT_EQ(m_host.m_texts.size(), 2u);
    EXPECT_EQ(m_host.m_texts[0],
              "Could not open file " + strMissing + "\nError code is " + std::to_string(ENOENT));
    EXPECT_EQ(m_host.m_texts[1],
              "Could not open file " + m_file.GetDir() + "\nError code is " + std::to_string(EISDIR));
    EXPECT_EQ(m_host.m_types[0], MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(DebriefTest, FileTimeIsTheModificationTime)
{
    EXPECT_GT(m_debrief.m_timeFile.GetTime(), 0); // now, before loading
    WithEvents(1).Write(m_file.GetPath());
    const utimbuf times{1000000000, 912891653};
    ASSERT_EQ(utime(m_file.GetPath().c_str(), &times), 0);
    ASSERT_TRUE(m_debrief.Open(m_file.GetPath()));
    EXPECT_EQ(m_debrief.m_timeFile.GetTime(), 912891653);
}

TEST_F(DebriefTest, EventTimeFillsInMissingTimes)
{
    struct Case {
        const char* pszWhat;
        std::uint32_t nBase;
        std::vector<std::uint32_t> times; // raw sixteenths; the probe is index nProbe
        std::size_t nProbe;
        std::int32_t nSeconds;
    };
    const std::vector<Case> cases = {
        {"own time, truncated", 0, {3215}, 0, 200},
        {"between two times", 0, {3200, 0, 3232}, 1, (1600 + 1616) / 16},
        {"between, several zeros", 0, {3200, 0, 0, 0, 3232}, 2, 201},
        {"halves taken first", 0, {17, 0, 17 + 16}, 1, (8 + 16) / 16},
        {"leading, base 0", 0, {0, 0, 3200}, 0, 100},
        {"leading, with base", 1600, {0, 3200}, 0, (800 + 1600) / 16},
        {"leading equals base", 3200, {0, 3200}, 0, 200},
        {"trailing", 0, {3200, 0}, 1, 200},
        {"trailing after several", 800, {3200, 4800, 0, 0}, 3, 300},
        {"no times at all", 4816, {0, 0, 0}, 1, 301},
        {"no times, base 0", 0, {0}, 0, 0},
        {"largest raw time", 0, {0xFFFFFFFF, 0}, 1, 0x0FFFFFFF},
    };
    for (const Case& c : cases) {
        CDebriefBuilder builder;
        builder.SetBaseTime(Sixteenths(c.nBase));
        for (std::uint32_t nTime : c.times)
            builder.AddObject(Sixteenths(nTime), 5, 70);
        CDebrief debrief;
        ASSERT_TRUE(LoadBytes(debrief, builder.Bytes())) << c.pszWhat;
        EXPECT_EQ(debrief.GetEventTime(&debrief.m_pEvents[c.nProbe]).GetTotalSeconds(), c.nSeconds)
            << c.pszWhat;
    }
}

TEST_F(DebriefTest, EventTimeOfForeignEventsIsZero)
{
    ASSERT_TRUE(Load(WithEvents(2)));
    const DebriefEvent foreign{};
    const DebriefEvent timed{320};
    EXPECT_EQ(m_debrief.GetEventTime(nullptr).GetTotalSeconds(), 0);
    EXPECT_EQ(m_debrief.GetEventTime(&foreign).GetTotalSeconds(), 0);
    EXPECT_EQ(m_debrief.GetEventTime(&timed).GetTotalSeconds(), 20); // its own time needs no debrief
    EXPECT_EQ(CDebrief().GetEventTime(&foreign).GetTotalSeconds(), 0);
}

TEST_F(DebriefTest, FindPlayerNeedsAllFiveConditions)
{
    // An entry that breaks one condition is passed over for a good one after it.
    auto spoil = [](int nWhich, DebriefEvent& e) {
        switch (nWhich) {
        case 0: e.time = 16; break;
        case 1: e.status |= EVENT_AIR; break;
        case 2: e.shape = 18; break;
        case 3: e.parent = 1; break;
        case 4: e.byte2 = 3; break;
        }
    };
    for (int nWhich = 0; nWhich < 5; ++nWhich) {
        CDebriefBuilder builder;
        spoil(nWhich, builder.AddPlayer(40));
        CDebrief alone;
        ASSERT_TRUE(LoadBytes(alone, builder.Bytes()));
        EXPECT_EQ(alone.FindPlayer(), kNoObject) << nWhich;

        builder.AddPlayer(41);
        CDebrief both;
        ASSERT_TRUE(LoadBytes(both, builder.Bytes()));
        EXPECT_EQ(both.FindPlayer(), 41) << nWhich;
    }
}

TEST_F(DebriefTest, FindPlayerShapes)
{
    const std::vector<std::pair<std::uint16_t, bool>> cases = {
        {68, true},   {255, true},  {335, true},  {347, true},  {360, true}, {0, false},
        {67, false},  {69, false},  {254, false}, {256, false}, {334, false}, {361, false}};
    for (const auto& [nShape, bPlayer] : cases) {
        CDebriefBuilder builder;
        builder.AddPlayer(7, 3, nShape);
        CDebrief debrief;
        ASSERT_TRUE(LoadBytes(debrief, builder.Bytes()));
        EXPECT_EQ(debrief.FindPlayer(), bPlayer ? 7 : kNoObject) << nShape;
    }
}

TEST_F(DebriefTest, ObjectAndChildEvents)
{
    CDebriefBuilder builder;
    builder.AddPlayer(1);                            // 0
    builder.AddObject(Seconds(5), 7, 18, 3);         // 1
    builder.AddRelease(Seconds(10), 1, 20, 63);      // 2: player launches weapon 20
    builder.AddHit(Seconds(11), 7, 18, 20, 3);       // 3: weapon 20 hits aircraft 7
    builder.AddKill(Seconds(12), 7, 18, 20, 3);      // 4
    builder.AddHit(Seconds(13), 1, 68, 1, 2);        // 5: the player's own record with parent 1
    builder.AddObject(Seconds(14), 0, 70, 2);        // 6: object 0
    builder.AddObject(Seconds(15), kNoObject, 70);   // 7
    ASSERT_TRUE(Load(builder));

    EXPECT_EQ(Objects(1), (DebriefEventList{At(0), At(5)}));
    EXPECT_EQ(Objects(7), (DebriefEventList{At(1), At(3), At(4)}));
    EXPECT_EQ(Objects(0), DebriefEventList{});
    EXPECT_EQ(Objects(kNoObject).size(), 8u);
    EXPECT_EQ(Objects(kNoObject).front(), At(0));
    EXPECT_EQ(Objects(99), DebriefEventList{});

    EXPECT_EQ(Children(1), DebriefEventList{At(2)}); // never the player's own records
    EXPECT_EQ(Children(20), (DebriefEventList{At(3), At(4)}));
    EXPECT_EQ(Children(7), DebriefEventList{});
    EXPECT_EQ(Children(0), DebriefEventList{});

    EXPECT_EQ(m_debrief.GetObjectSide(7), 3);
    EXPECT_EQ(m_debrief.GetObjectSide(1), 3);
    EXPECT_EQ(m_debrief.GetObjectSide(0), 0);
    EXPECT_EQ(m_debrief.GetObjectSide(99), 0);
    EXPECT_EQ(m_debrief.GetObjectSide(kNoObject), 3); // the first event of the file

    EXPECT_TRUE(m_debrief.HasStruck(20, 7));
    EXPECT_FALSE(m_debrief.HasStruck(7, 20));
    EXPECT_FALSE(m_debrief.HasStruck(1, 7));  // the player released, but did not strike
    EXPECT_TRUE(m_debrief.HasStruck(1, 1));   // its own hit record counts
    EXPECT_FALSE(m_debrief.HasStruck(1, 20)); // a release is not a strike

    EXPECT_EQ(m_debrief.GetFirstVictim(20), 7);
    EXPECT_EQ(m_debrief.GetFirstVictim(1), 1);
    EXPECT_EQ(m_debrief.GetFirstVictim(7), kNoObject);
}

TEST_F(DebriefTest, QueriesOnAnUnloadedDebrief)
{
    const CDebrief debrief;
    DebriefEventList list{nullptr};
    debrief.GetObjectEvents(kNoObject, list);
    EXPECT_TRUE(list.empty());
    debrief.GetObjectEvents(5, list);
    EXPECT_TRUE(list.empty());
    debrief.GetChildEvents(5, list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(debrief.FindPlayer(), kNoObject);
    EXPECT_EQ(debrief.GetObjectSide(5), 0);
    EXPECT_FALSE(debrief.HasStruck(5, 5));
    EXPECT_EQ(debrief.GetFirstVictim(5), kNoObject);
    EXPECT_EQ(debrief.GetBaseTime(), 0u);
}
