// The event notes written into a mission's comments.
#include "debrief/debrief.h"
#include "debrief/event_notes.h"
#include "debrief/kill_tally.h"
#include "debrief/shape_names.h"
#include "debrief/side_names.h"
#include "log/app_settings.h"
#include "log/mission.h"
#include "tests/support/debrief_builder.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t kPlayer = 1;
constexpr std::uint16_t kR60 = 62, kR73 = 63, k30mm = 87, k23mm = 91, kFab500 = 3, kKh25 = 170, kKh29 = 88;
constexpr std::uint16_t kF15 = 18, kF16 = 19, kMig29 = 45, kT72 = 70, kBmp2 = 247, kSmallHouse = 26,
                        kPineTrees = 13;

constexpr std::uint32_t Clock(std::uint32_t h, std::uint32_t m, std::uint32_t s) { return h * 3600 + m * 60 + s; }

class EventNotesTest : public ::testing::Test {
protected:
    EventNotesTest() { m_builder.AddPlayer(kPlayer); }

    std::string Notes(std::string strNotes = {})
    {
        m_builder.Write(m_file.GetPath());
        EXPECT_TRUE(m_debrief.Open(m_file.GetPath()));
        AppendEventNotes(m_debrief, kPlayer, strNotes);
        return strNotes;
    }

    // An enemy aircraft, and a weapon it released, that then struck the player.
    void EnemyStrike(std::uint32_t nSeconds, std::uint16_t nAircraft, std::uint16_t nAircraftShape,
                     std::uint8_t nCountry, std::uint16_t nWeapon, std::uint16_t nWeaponShape)
    {
        m_builder.AddObject(Seconds(nSeconds), nAircraft, nAircraftShape, nCountry);
        m_builder.AddRelease(Seconds(nSeconds), nAircraft, nWeapon, nWeaponShape, BYTE2_ROUND);
        m_builder.AddHit(Seconds(nSeconds), kPlayer, 68, nWeapon, 1);
    }

    CAppSettings m_settings;
    CDebriefBuilder m_builder;
    CTempDebrief m_file;
    CDebrief m_debrief;
};

TEST_F(EventNotesTest, WritesEveryKindOfLine)
{
    m_settings.m_bRejectUnkKills = 1;
    CDebriefBuilder& b = m_builder;
    b.AddRelease(Seconds(Clock(8, 12, 38)), kPlayer, 40, kR73);
    b.AddKill(Seconds(Clock(8, 12, 40)), 20, kF15, 40, 3, EVENT_AIR);
    b.AddRelease(Seconds(Clock(8, 13, 2)), kPlayer, 41, kFab500, BYTE2_DROPPED);
    b.AddHit(Seconds(Clock(8, 13, 4)), 21, kSmallHouse, 41, 0, EVENT_GND);
    b.AddDie(Seconds(Clock(8, 13, 4)), 22, kT72, 41, 1, EVENT_GND);
    b.AddRelease(Seconds(Clock(8, 13, 5)), kPlayer, 42, kKh25);
    b.AddDie(Seconds(Clock(8, 13, 7)), 23, kT72, 42, 0, EVENT_GND);
    b.AddRelease(Seconds(Clock(8, 13, 10)), kPlayer, 43, kKh29);
    for (std::uint16_t id = 44; id < 47; ++id) {
        b.AddRelease(Seconds(Clock(8, 14, id == 44 ? 54 : 55)), kPlayer, id, k30mm, BYTE2_ROUND);
        b.AddHit(Seconds(Clock(8, 14, 55)), 24, kF16, id, 3, EVENT_AIR);
    }
    b.AddRelease(Seconds(Clock(8, 15, 1)), kPlayer, 47, k23mm, BYTE2_ROUND);
    b.AddKill(Seconds(Clock(8, 15, 1)), 25, kBmp2, 47, 2, EVENT_GND);
    EnemyStrike(Clock(8, 15, 30), 50, kF16, 3, 51, k30mm);
    EnemyStrike(Clock(8, 16, 0), 52, kMig29, 1, 53, kR60);
    b.AddObject(Seconds(Clock(8, 16, 5)), 54, kPineTrees);
    b.AddDie(Seconds(Clock(8, 16, 5)), kPlayer, 68, 54, 1, EVENT_HIT);

    EXPECT_EQ(Notes(), "08:12:38\tLaunched R-73, Killed NATO F-15\r\n"
                       "08:13:02\tDropped FAB-500, Hit Small House, Killed Russian T-72 Tank\r\n"
                       "08:13:05\tLaunched Kh-25, Hit T-72 Tank wreckage\r\n"
                       "08:13:10\tLaunched Kh-29, Missed\r\n"
                       "08:14:55\tFired 6 30mm Shells, Hit NATO F-16\r\n"
                       "08:15:01\tFired 23mm Shell, Killed Ukrainian BMP2 Vehicle\r\n"
                       "08:15:30\tHit by 2 30mm Shells from NATO F-16\r\n"
                       "08:16:00\tHit by R-60 from Russian Mig-29\r\n"
                       "08:16:05\tCrashed (Pine Trees)\r\n"
                       "08:16:05\tAircraft Destroyed\r\n");
}

TEST_F(EventNotesTest, QuietFlightAddsNothingAndExistingNotesStay)
{
    m_builder.AddObject(Seconds(100), 20, kF15, 3);
    m_builder.AddRem(Seconds(900), kPlayer, 68);
    EXPECT_EQ(Notes("Escort\r\n"), "Escort\r\n");
}

TEST_F(EventNotesTest, WeaponWithOnlyOtherEffectsGetsNoOutcome)
{
    m_builder.AddRelease(Seconds(100), kPlayer, 40, kR73);
    m_builder.AddObject(Seconds(101), 41, 73).parent = 40; // an explosion it left
    EXPECT_EQ(Notes(), "00:01:40\tLaunched R-73\r\n");
}

TEST_F(EventNotesTest, GunRoundsGroupWithinASecondOnTheSameFirstVictim)
{
    CDebriefBuilder& b = m_builder;
    const std::uint32_t times[] = {100, 101, 103, 103};
    const std::uint16_t victims[] = {20, 20, 20, 21};
    for (std::uint16_t i = 0; i < 4; ++i) {
        b.AddRelease(Seconds(times[i]), kPlayer, static_cast<std::uint16_t>(40 + i), k23mm, BYTE2_ROUND);
        b.AddHit(Seconds(times[i]), victims[i], kT72, static_cast<std::uint16_t>(40 + i), 1);
    }
    EXPECT_EQ(Notes(), "00:01:41\tFired 2 23mm Shells, Hit Russian T-72 Tank\r\n"
                       "00:01:43\tFired 23mm Shell, Hit Russian T-72 Tank\r\n"
                       "00:01:43\tFired 23mm Shell, Hit Russian T-72 Tank\r\n");
}

TEST_F(EventNotesTest, HitsOnTheAircraftGroupFromTheirFirstHit)
{
    m_builder.AddObject(Seconds(190), 50, kF16, 3);
    for (std::uint32_t t : {200u, 200u, 202u}) {
        const auto nShell = static_cast<std::uint16_t>(60 + t % 7 + m_builder.Events().size());
        m_builder.AddRelease(Seconds(t), 50, nShell, k30mm, BYTE2_ROUND);
        m_builder.AddHit(Seconds(t), kPlayer, 68, nShell, 1);
    }
    EXPECT_EQ(Notes(), "00:03:20\tHit by 4 30mm Shells from NATO F-16\r\n"
                       "00:03:22\tHit by 2 30mm Shells from NATO F-16\r\n");
}

TEST_F(EventNotesTest, AircraftDestroyedOnceAndLaterHitsStillDescribed)
{
    EnemyStrike(300, 50, kMig29, 1, 51, kR60);
    m_builder.AddExpl(Seconds(301), kPlayer, 68);
    EnemyStrike(310, 52, kMig29, 1, 53, kR73);
    m_builder.AddDie(Seconds(311), kPlayer, 68, 53, 1); // joins the hit at 310
    EXPECT_EQ(Notes(), "00:05:00\tHit by R-60 from Russian Mig-29\r\n"
                       "00:05:01\tAircraft Destroyed\r\n"
                       "00:05:10\tHit by 2 R-73s from Russian Mig-29\r\n");
}

TEST_F(EventNotesTest, HitAndKillInOneEventFlushesBeforeTheLoss)
{
    m_builder.AddObject(Seconds(290), 50, kMig29, 1);
    m_builder.AddRelease(Seconds(295), 50, 51, kR60);
    m_builder.AddKill(Seconds(300), kPlayer, 68, 51, 1, EVENT_HIT);
    EXPECT_EQ(Notes(), "00:05:00\tHit by R-60 from Russian Mig-29\r\n"
                       "00:05:00\tAircraft Destroyed\r\n");
}

TEST_F(EventNotesTest, ALaunchEndsAPendingGroup)
{
    m_builder.AddRelease(Seconds(100), kPlayer, 40, k23mm, BYTE2_ROUND);
    m_builder.AddRelease(Seconds(100), kPlayer, 41, k23mm, BYTE2_ROUND);
    m_builder.AddRelease(Seconds(100), kPlayer, 42, kR73);
    EXPECT_EQ(Notes(), "00:01:40\tFired 2 23mm Shells, Missed\r\n"
                       "00:01:40\tLaunched R-73, Missed\r\n");
}

TEST_F(EventNotesTest, AReusedIdentifierReadsTheSameAsRoundAndAsMissile)
{
    // Every use of identifier 40 describes the effects of all of them.
    m_builder.AddRelease(Seconds(100), kPlayer, 40, k23mm, BYTE2_ROUND);
    m_builder.AddHit(Seconds(100), 20, kT72, 40, 1);
    m_builder.AddRelease(Seconds(200), kPlayer, 40, k23mm, BYTE2_ROUND);
    m_builder.AddHit(Seconds(200), 21, kF15, 40, 3, EVENT_AIR);
    m_builder.AddRelease(Seconds(300), kPlayer, 40, kR73);
    m_builder.AddRelease(Seconds(400), kPlayer, 40, k23mm, BYTE2_ROUND);
    const std::string strOutcome = ", Hit Russian T-72 Tank, Hit NATO F-15\r\n";
    EXPECT_EQ(Notes("Escort\r\n"), "Escort\r\n00:01:40\tFired 23mm Shell" + strOutcome + "00:03:20\tFired 23mm Shell" +
                                       strOutcome + "00:05:00\tLaunched R-73" + strOutcome +
                                       "00:06:40\tFired 23mm Shell" + strOutcome);
}

TEST_F(EventNotesTest, NamesOutsideTheTablesUsePlaceholders)
{
    m_builder.AddObject(Seconds(100), 50, 999, 7);
    m_builder.AddRelease(Seconds(100), 50, 51, kR60);
    m_builder.AddHit(Seconds(100), kPlayer, 68, 51);
    m_builder.AddObject(Seconds(110), 52, 400);
    m_builder.AddHit(Seconds(110), kPlayer, 68, 52);
    EXPECT_EQ(Notes(), "00:01:40\tHit by R-60 from " + SideName(7) + " " + ShapeName(999) + "\r\n" +
                           "00:01:50\tCrashed (" + ShapeName(400) + ")\r\n");
}

TEST_F(EventNotesTest, StrikeWithoutAKnownCauseIsPassedOver)
{
    m_builder.AddHit(Seconds(100), kPlayer, 68, 0); // object 0 has no events
    m_builder.AddHit(Seconds(110), kPlayer, 68, 77);
    EXPECT_EQ(Notes(), "");
}

TEST_F(EventNotesTest, NotesAndTallyExamineKillsInOppositeOrders)
{
    m_settings.m_bIgnoreGndKills = 1;
    m_builder.AddRelease(Seconds(490), kPlayer, 40, kFab500, BYTE2_DROPPED);
    m_builder.AddDie(Seconds(500), 30, kT72, 40, 2, EVENT_GND);
    m_builder.AddDie(Seconds(502), 0, kT72, 40, 0, EVENT_GND);
    EXPECT_EQ(Notes(), "00:08:10\tDropped FAB-500, Killed Ukrainian T-72 Tank, Hit T-72 Tank wreckage\r\n");
    CMission mission;
    TallyKills(m_debrief, kPlayer, mission);
    EXPECT_EQ(mission.GetKillCount(), 2);
}

TEST(WriteNoteTest, FillsOnlyItsOwnPlaces)
{
    struct Case {
        int nCount;
        CNotePattern pattern;
        const char* pszLine;
    };
    const Case cases[] = {
        {0, CNotePattern::Counted("Fired ", "Gun", ", Hit X"), "Fired Gun, Hit X"},
        {1, CNotePattern::Counted("Fired ", "Gun", ""), "Fired Gun"},
        {2, CNotePattern::Counted("Fired ", "Gun", ""), "Fired 2 Guns"},
        {12, CNotePattern::Counted("Fired ", "50%s %d Gun", ", Hit %s%n"), "Fired 12 50%s %d Guns, Hit %s%n"},
        {5, CNotePattern::Plain("Crashed (100% %s)"), "Crashed (100% %s)"},
    };
    for (const Case& test : cases) {
        std::string strNotes = "x";
        WriteNote(strNotes, CTimeSpan(3 * 3600 + 4 * 60 + 5), test.nCount, test.pattern);
        EXPECT_EQ(strNotes, std::string("x03:04:05\t") + test.pszLine) << test.pszLine;
    }
}

} // namespace
