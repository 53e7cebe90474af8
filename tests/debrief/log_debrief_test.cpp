// Logging a debrief into the current log: career choice, questions, the
// mission's fields and the pilot's fate.
#include "debrief/debrief.h"
#include "debrief/event_notes.h"
#include "debrief/kill_tally.h"
#include "debrief/log_debrief.h"
#include "debrief/mission_review.h"
#include "log/app_settings.h"
#include "log/kill.h"
#include "log/log_doc.h"
#include "log/mission.h"
#include "platform/message_box.h"
#include "tests/support/debrief_builder.h"
#include "tests/support/test_host.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::uint16_t kPlayer = 1;
constexpr const char* kDuplicate = "There is already a log entry for this mission.  Do you want to log it again?";
constexpr const char* kListedKIA = "You are currently listed as KIA.  You can either continue with this career or "
                                   "start a new one.  Do you want to start a new career?";
constexpr const char* kEjected = "Your aircraft was destroyed! Did you eject safely?";

class LogDebriefTest : public ::testing::Test {
protected:
    LogDebriefTest()
    {
        SetCurrentLogDoc(&m_doc);
        m_settings.m_tsEjectionMin = 3;
        // The player's record takes the mean of the base time and the next
        // timed record; with both at the takeoff, it is the takeoff.
        m_builder.SetTitle("Sweep").SetBaseTime(Seconds(600)).AddPlayer(kPlayer, 2);
    }
    ~LogDebriefTest() override { SetCurrentLogDoc(nullptr); }

    // Every write carries the same date, so a mission logged twice is
    // flown at the same moment however long the test takes.
    int Log(std::int32_t nResult = 1)
    {
        m_builder.Write(m_file.GetPath());
        const utimbuf times{1000000000, 1000000000};
        EXPECT_EQ(utime(m_file.GetPath().c_str(), &times), 0);
        return LogDebrief(m_file.GetPath(), nResult);
    }
    CPilot& Pilot() { return *m_doc.GetPilot(); }
    CCareer& LastCareer() { return *Pilot().GetCareer(kLastCareer); }
    CMission* LastMission() { return LastCareer().GetMission(-1); }
    // The player's events: takeoff at 600 s, then the given ones.
    void Fly(const std::vector<std::pair<std::uint16_t, std::uint32_t>>& events)
    {
        m_builder.AddObject(Seconds(600), kPlayer, 68, 2);
        for (const auto& [nStatus, nSeconds] : events)
            m_builder.AddObject(Seconds(nSeconds), kPlayer, 68, 2, nStatus).parent = 99;
    }

    CTestHost m_host;
    CAppSettings m_settings;
    CLogDoc m_doc;
    CDebriefBuilder m_builder;
    CTempDebrief m_file;
};

TEST_F(LogDebriefTest, DebriefWithoutThePlayerLeavesTheLogAlone)
{
    m_builder = CDebriefBuilder();
    m_builder.AddPlayer(kPlayer).byte2 = 3;
    m_host.ExpectMessageBox("Could not find you in this mission ", MB_OK | MB_ICONSTOP);
    EXPECT_EQ(Log(), 0);
    EXPECT_EQ(LastCareer().GetMissionCount(), 0);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(LogDebriefTest, FilesThatGiveNoEventsAddNothing)
{
    CTempDebrief missing("none.stt");
    m_host.ExpectMessageBox("Could not open file " + missing.GetPath() + "\nError code is 2", MB_OK);
    EXPECT_EQ(LogDebrief(missing.GetPath(), 1), 0);
    m_builder = CDebriefBuilder(); // a title and no events: silently nothing
    EXPECT_EQ(Log(), 0);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(LogDebriefTest, MissionTakesTheDebriefsFields)
{
    Fly({{EVENT_HIT, 900}, {EVENT_REM, 1500}});
    ASSERT_EQ(Log(2), 1);
    const CMission& mission = *LastMission();
    EXPECT_EQ(mission.GetTitle(), "Sweep");
    EXPECT_EQ(mission.GetFlown(), CTime(1000000000));
    EXPECT_EQ(mission.GetSide(), 2);
    EXPECT_EQ(mission.GetResult(), 2);
    EXPECT_EQ(mission.GetTakeoff(), CTimeSpan(600));
    EXPECT_EQ(mission.GetDuration(), CTimeSpan(900));
    EXPECT_EQ(mission.GetPilotStatus(), 1);
    EXPECT_EQ(mission.GetComments(), ""); // events are not logged by default
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(LogDebriefTest, EmptyOrOneBlankTitleKeepsTheDefault)
{
    for (const char* pszTitle : {"", " ", "  "}) {
        m_builder.SetTitle(pszTitle);
        ASSERT_EQ(Log(), 1);
        EXPECT_EQ(LastMission()->GetTitle(), std::string(pszTitle).size() < 2 ? "New Mission" : pszTitle);
        LastCareer().RemoveMission(0); // no duplicate question for the next
    }
}

// How the flight ended, and what the log says of the pilot.
struct FateCase {
    const char* pszName;
    std::vector<std::pair<std::uint16_t, std::uint32_t>> events; // after the takeoff at 600 s
    std::optional<int> nAnswer;                                   // to the ejection question
    std::int32_t nStatus;
    std::int32_t nDuration;
};

class PilotFateTest : public LogDebriefTest, public ::testing::WithParamInterface<FateCase> {};

TEST_P(PilotFateTest, DecidesStatusAndEndOfFlight)
{
    const FateCase& fate = GetParam();
    Fly(fate.events);
    if (fate.nAnswer)
        m_host.ExpectMessageBox(kEjected, MB_YESNO | MB_ICONQUESTION, *fate.nAnswer);
    ASSERT_EQ(Log(), 1);
    EXPECT_EQ(LastMission()->GetPilotStatus(), fate.nStatus);
    EXPECT_EQ(LastMission()->GetDuration(), CTimeSpan(fate.nDuration));
}

INSTANTIATE_TEST_SUITE_P(
    Fates, PilotFateTest,
    ::testing::Values(
        FateCase{"DamagedAndBack", {{EVENT_HIT, 900}, {EVENT_REM, 1500}}, {}, 1, 900},
        FateCase{"EjectedSafely", {{EVENT_HIT, 900}, {EVENT_KILL, 905}, {EVENT_EXPL, 906}}, IDYES, 2, 305},
        FateCase{"DidNotEject", {{EVENT_HIT, 900}, {EVENT_KILL, 905}, {EVENT_EXPL, 906}}, IDNO, 3, 305},
        FateCase{"JustInsideTheWindow", {{EVENT_HIT, 900}, {EVENT_KILL, 905}, {EVENT_EXPL, 907}}, IDNO, 3, 305},
        FateCase{"AtTheWindowNoQuestion", {{EVENT_HIT, 900}, {EVENT_KILL, 905}, {EVENT_EXPL, 908}}, {}, 2, 305},
        FateCase{"LateExplosionWithoutHit", {{EVENT_KILL, 905}, {EVENT_EXPL, 906}}, {}, 3, 305},
        // The 60 s rule looks at the explosion's own clock time.
        FateCase{"ExplosionAtSixtySeconds", {{EVENT_KILL, 59}, {EVENT_EXPL, 60}}, IDYES, 2, -541},
        FateCase{"DestroyedWithoutKill", {{EVENT_DIE, 700}}, {}, 3, 100},
        FateCase{"KilledWithoutLoss", {{EVENT_HIT, 900}, {EVENT_KILL, 905}}, {}, 2, 305},
        FateCase{"RemovedUnharmed", {{EVENT_REM, 1200}}, {}, 0, 600}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(LogDebriefTest, WithoutAnEndTheLastRecordOfTheFileCounts)
{
    Fly({});
    m_builder.AddObject(Seconds(2000), 50, 18, 3); // another object's
    ASSERT_EQ(Log(), 1);
    EXPECT_EQ(LastMission()->GetDuration(), CTimeSpan(1400));
    EXPECT_EQ(LastMission()->GetPilotStatus(), 0);
}

TEST_F(LogDebriefTest, DuplicateQuestion)
{
    Fly({{EVENT_REM, 1200}});
    Pilot().AddCareer();
    Pilot().SetCurrentCareer(0);
    ASSERT_EQ(Log(), 1);
    Pilot().SetCurrentCareer(0);

    m_host.ExpectMessageBox(kDuplicate, MB_YESNO | MB_ICONQUESTION, IDNO);
    EXPECT_EQ(Log(), 0);
    EXPECT_EQ(LastCareer().GetMissionCount(), 1);
    EXPECT_EQ(Pilot().GetCurrentCareerIndex(), 1);

    m_host.ExpectMessageBox(kDuplicate, MB_YESNO | MB_ICONQUESTION, IDYES);
    EXPECT_EQ(Log(), 1);
    ASSERT_EQ(LastCareer().GetMissionCount(), 2);
    EXPECT_EQ(LastCareer().GetMission(1)->GetDuration(), LastCareer().GetMission(0)->GetDuration());

    // Without a title only the date has to match.
    LastCareer().GetMission(0)->SetTitle("Renamed");
    LastCareer().RemoveMission(1);
    m_builder.SetTitle(" ");
    m_host.ExpectMessageBox(kDuplicate, MB_YESNO | MB_ICONQUESTION, IDNO);
    EXPECT_EQ(Log(), 0);
}

// The last mission ended with the pilot killed in action.
class ListedKIATest : public LogDebriefTest, public ::testing::WithParamInterface<int> {};

TEST_P(ListedKIATest, AsksWhereTheMissionGoes)
{
    const int nAnswer = GetParam();
    Fly({{EVENT_REM, 1200}});
    Pilot().GetCareer(0)->AddMission()->SetPilotStatus(3);
    Pilot().AddCareer();
    Pilot().GetCareer(1)->AddMission()->SetPilotStatus(3);
    Pilot().SetCurrentCareer(0);
    m_host.ExpectMessageBox(kListedKIA, MB_YESNOCANCEL | MB_ICONEXCLAMATION, nAnswer);
    EXPECT_EQ(Log(), nAnswer == IDCANCEL ? 0 : 1);
    EXPECT_EQ(Pilot().GetCareerCount(), nAnswer == IDYES ? 3 : 2);
    EXPECT_EQ(Pilot().GetCurrentCareerIndex(), Pilot().GetCareerCount() - 1);
    EXPECT_EQ(Pilot().GetCareer(0)->GetMissionCount(), 1);
    EXPECT_EQ(Pilot().GetCareer(1)->GetMissionCount(), nAnswer == IDNO ? 2 : 1);
    if (nAnswer == IDYES) {
        EXPECT_EQ(LastCareer().GetMissionCount(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ListedKIATest, ::testing::Values(IDYES, IDNO, IDCANCEL));

TEST_F(LogDebriefTest, PilotWithoutCareersGetsOneForTheMission)
{
    Fly({{EVENT_REM, 1200}});
    Pilot().DeleteCareer(0);
    ASSERT_EQ(Pilot().GetCareerCount(), 0);
    ASSERT_EQ(Log(), 1);
    ASSERT_EQ(Pilot().GetCareerCount(), 1);
    EXPECT_EQ(LastCareer().GetMissionCount(), 1);
}

TEST_F(LogDebriefTest, NoCurrentLogAddsNothing)
{
    Fly({});
    SetCurrentLogDoc(nullptr);
    EXPECT_EQ(Log(), 0);
}

// With the preference set, the installed reviewer sees the new mission once,
// when it is complete; without it, never.
TEST_F(LogDebriefTest, ShowMissionHandsTheNewMissionToTheReviewer)
{
    Fly({{EVENT_REM, 1200}});
    for (int bShowMission : {0, 1}) {
        m_settings.m_bShowMission = bShowMission;
        std::vector<std::string> reviewed;
        const CMissionReviewScope review([&](CMission& mission) {
            EXPECT_EQ(&mission, LastMission());
            reviewed.push_back(mission.GetTitle() + " " + mission.GetDuration().Format("%H:%M:%S"));
            mission.SetTitle("Reviewed");
        });
        if (LastMission())
            m_host.ExpectMessageBox(kDuplicate, MB_YESNO | MB_ICONQUESTION, IDYES);
        ASSERT_EQ(Log(), 1);
        EXPECT_EQ(reviewed, bShowMission ? std::vector<std::string>{"Sweep 00:10:00"} : std::vector<std::string>{});
        EXPECT_EQ(LastMission()->GetTitle(), bShowMission ? "Reviewed" : "Sweep");
    }
    LastMission()->SetTitle("Sweep");
    ReviewNewMission(*LastMission()); // no reviewer installed any more: nothing
    EXPECT_EQ(LastMission()->GetTitle(), "Sweep");
}

TEST_F(LogDebriefTest, WholeFlightBecomesTheMission)
{
    m_settings.m_bLogEvents = 1;
    m_settings.m_bShowMission = 0;
    CDebriefBuilder& b = m_builder;
    b.AddObject(Seconds(600), kPlayer, 68, 2);
    b.AddObject(Seconds(610), 20, 18, 3, EVENT_ENTRY | EVENT_AIR);
    b.AddRelease(Seconds(620), kPlayer, 30, 63);
    b.AddHit(Seconds(623), 20, 18, 30, 3, EVENT_AIR);
    b.AddRelease(Seconds(630), kPlayer, 31, 62);                 // R-60, lost
    b.AddRelease(Seconds(640), kPlayer, 32, 91, BYTE2_ROUND);   // 23mm burst
    b.AddRelease(Seconds(640), kPlayer, 33, 91, BYTE2_ROUND);
    b.AddHit(Seconds(640), 20, 18, 32, 3, EVENT_AIR);
    b.AddKill(Seconds(641), 20, 18, 33, 3, EVENT_AIR | EVENT_PRI);
    b.AddRelease(Seconds(700), 20, 34, 60);                     // its R-27r at us
    b.AddHit(Seconds(702), kPlayer, 68, 34, 2);
    b.AddRem(Seconds(1800), kPlayer, 68, 2);

    ASSERT_EQ(Log(0), 1);
    const CMission& mission = *LastMission();
    EXPECT_EQ(mission.GetTitle(), "Sweep");
    EXPECT_EQ(mission.GetSide(), 2);
    EXPECT_EQ(mission.GetResult(), 0);
    EXPECT_EQ(mission.GetTakeoff(), CTimeSpan(600));
    EXPECT_EQ(mission.GetDuration(), CTimeSpan(1200));
    EXPECT_EQ(mission.GetPilotStatus(), 1);

    ASSERT_EQ(mission.GetKillCount(), 1);
    const CKill& kill = *mission.GetKill(0);
    EXPECT_EQ(kill.Describe(), "00:10:41 NATO F-15 (2 23mm Shells)");
    EXPECT_EQ(kill.GetFired(), CTimeSpan(640));
    EXPECT_EQ(kill.GetAirKill(), 1);
    EXPECT_EQ(kill.GetTargetKill(), 1);
    EXPECT_EQ(kill.GetTargetID(), 20);
    ASSERT_EQ(mission.GetHitCount(), 2);
    EXPECT_EQ(mission.GetHit(0)->Describe(), "00:10:23 NATO F-15 (R-73)");
    EXPECT_EQ(mission.GetHit(1)->Describe(), "00:10:40 NATO F-15 (23mm Shell)");
    ASSERT_EQ(mission.GetMissCount(), 1);
    EXPECT_EQ(mission.GetMiss(0)->GetWeapon(), 62);
    EXPECT_EQ(mission.GetMiss(0)->GetNumFired(), 1);

    EXPECT_EQ(mission.GetComments(), "00:10:20\tLaunched R-73, Hit NATO F-15\r\n"
                                     "00:10:30\tLaunched R-60, Missed\r\n"
                                     "00:10:40\tFired 2 23mm Shells, Hit NATO F-15\r\n"
                                     "00:11:42\tHit by R-27r from NATO F-15\r\n");
}

// A flight long enough to be tallied on a thread of its own while the notes
// are written gives the mission that the two give one after the other.
TEST_F(LogDebriefTest, LongFlightIsTalliedBesideTheNotes)
{
    m_settings.m_bLogEvents = 1;
    m_settings.m_bShowMission = 0;
    m_builder.AddObject(Seconds(600), kPlayer, 68, 2);
    for (std::uint32_t i = 0; i < 42000; ++i) {
        const auto nWeapon = static_cast<std::uint16_t>(100 + i % 5000); // identifiers reused
        const auto nTarget = static_cast<std::uint16_t>(20000 + i / 20 % 300);
        const DebriefTime time = Seconds(610 + i / 10);
        m_builder.AddRelease(time, kPlayer, nWeapon, i % 40 < 20 ? 91 : 63, i % 40 < 20 ? BYTE2_ROUND : 0);
        if (i % 20 == 19)
            m_builder.AddKill(time, nTarget, 18, nWeapon, 3, EVENT_AIR);
        else if (i % 3 != 0)
            m_builder.AddHit(time, nTarget, 18, nWeapon, 3, EVENT_AIR);
    }
    ASSERT_EQ(Log(), 1);

    CDebrief debrief;
    ASSERT_TRUE(debrief.Open(m_file.GetPath()));
    ASSERT_GE(debrief.m_nEvents, 1u << 16);
    CMission expected;
    TallyKills(debrief, kPlayer, expected);
    std::string strNotes;
    AppendEventNotes(debrief, kPlayer, strNotes);
    const auto records = [](const CMission& mission) {
        std::vector<std::string> lines;
        for (int k = 0; k < mission.GetKillCount(); ++k)
            lines.push_back("kill " + mission.GetKill(k)->Describe() + " " +
                            std::to_string(mission.GetKill(k)->GetNumFired()));
        for (int k = 0; k < mission.GetHitCount(); ++k)
            lines.push_back("hit " + mission.GetHit(k)->Describe() + " " +
                            std::to_string(mission.GetHit(k)->GetNumFired()));
        for (int k = 0; k < mission.GetMissCount(); ++k)
            lines.push_back("miss " + std::to_string(mission.GetMiss(k)->GetWeapon()) + " " +
                            std::to_string(mission.GetMiss(k)->GetNumFired()));
        return lines;
    };
    EXPECT_GT(expected.GetKillCount(), 1000);
    EXPECT_EQ(records(*LastMission()), records(expected));
    EXPECT_EQ(LastMission()->GetComments(), strNotes);
}

} // namespace
