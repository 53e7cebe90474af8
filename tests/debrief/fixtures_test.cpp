// The debrief files in the test data folder: how they are made, and that
// they load as made. Run with SORTAVEL_WRITE_FIXTURES=1 to write them anew.
#include "debrief/debrief.h"
#include "tests/support/debrief_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// A short sortie: take-off, an R-73 kill, a Kh-31p on a Kub radar, a
// dropped bomb that missed, landing.
std::vector<std::uint8_t> ShortFlight()
{
    CDebriefBuilder b;
    b.SetTitle("Kub Hunt").SetBaseTime(Seconds(300));
    b.AddPlayer(1, 3);
    b.AddObject(Sixteenths(0), 50, 40, 1, EVENT_GND | EVENT_ADD);
    b.AddObject(Seconds(650), 60, 45, 1, EVENT_AIR | EVENT_ENTRY);
    b.AddRelease(Seconds(700), 1, 100, 63);
    b.AddKill(Seconds(702), 60, 45, 100, 1, EVENT_AIR);
    b.AddRelease(Seconds(800), 1, 101, 92);
    b.AddDie(Seconds(805), 50, 40, 101, 1, EVENT_GND);
    b.AddRelease(Seconds(900), 1, 102, 3, BYTE2_DROPPED);
    b.AddRem(Seconds(1500), 1, 68, 3);
    return b.Bytes();
}

// The only aircraft at time 0 is not marked as the player's.
std::vector<std::uint8_t> NoPlayer()
{
    CDebriefBuilder b;
    b.SetTitle("Nobody Home");
    b.AddPlayer(1).byte2 = 3;
    b.AddRem(Seconds(60), 1, 68, 3);
    return b.Bytes();
}

// Two records and the first 10 bytes of a third.
std::vector<std::uint8_t> CutRecord()
{
    CDebriefBuilder b;
    b.SetTitle("Cut");
    b.AddPlayer(2);
    b.AddRem(Seconds(30), 2, 68);
    b.AddRem(Seconds(31), 2, 68);
    std::vector<std::uint8_t> bytes = b.Bytes();
    bytes.erase(bytes.end() - 6, bytes.end());
    return bytes;
}

struct Fixture {
    const char* pszName;
    std::vector<std::uint8_t> (*make)();
};
const Fixture kFixtures[] = {
    {"short_flight.stt", ShortFlight}, {"no_player.stt", NoPlayer}, {"cut_record.stt", CutRecord}};

std::string DataPath(const char* pszName) { return std::string(SORTAVEL_TEST_DATA) + "/" + pszName; }

} // namespace

TEST(DebriefFixtures, FilesAreWhatTheBuilderMakes)
{
    const bool bWrite = std::getenv("SORTAVEL_WRITE_FIXTURES") != nullptr;
    for (const Fixture& fixture : kFixtures) {
        const std::string strPath = DataPath(fixture.pszName);
        if (bWrite)
            WriteBytes(strPath, fixture.make());
        std::ifstream file(strPath, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(bytes, fixture.make()) << fixture.pszName;
    }
}

TEST(DebriefFixtures, ShortFlightLoads)
{
    CDebrief debrief;
    ASSERT_TRUE(debrief.Open(DataPath("short_flight.stt")));
    EXPECT_EQ(debrief.GetTitle(), "Kub Hunt");
    EXPECT_EQ(debrief.m_nEvents, 9u);
    EXPECT_EQ(debrief.FindPlayer(), 1);
    EXPECT_EQ(debrief.GetObjectSide(1), 3);
    EXPECT_EQ(debrief.GetEventTime(&debrief.m_pEvents[0]).GetTotalSeconds(), (300 + 650) / 2);
    DebriefEventList releases;
    debrief.GetChildEvents(1, releases);
    EXPECT_EQ(releases.size(), 3u);
    EXPECT_EQ(debrief.GetFirstVictim(101), 50);
    EXPECT_EQ(debrief.GetFirstVictim(102), kNoObject);
}

TEST(DebriefFixtures, NoPlayerAndCutRecord)
{
    CDebrief noPlayer;
    ASSERT_TRUE(noPlayer.Open(DataPath("no_player.stt")));
    EXPECT_EQ(noPlayer.FindPlayer(), kNoObject);

    CDebrief cut;
    ASSERT_TRUE(cut.Open(DataPath("cut_record.stt")));
    EXPECT_EQ(cut.m_nEvents, 2u);
    EXPECT_EQ(cut.GetLastEvent()->time, 30u * 16);
}
