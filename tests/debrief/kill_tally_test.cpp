// The kill tally and the kill filter.
#include "debrief/debrief.h"
#include "debrief/event_notes.h"
#include "debrief/kill_filter.h"
#include "debrief/kill_tally.h"
#include "debrief/shape_sets.h"
#include "log/app_settings.h"
#include "log/mission.h"
#include "log/record_key.h"
#include "tests/support/debrief_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

constexpr std::uint16_t kPlayer = 1;
constexpr std::uint16_t kR27r = 60, kR60 = 62, kR73 = 63, k30mm = 87, k23mm = 91, kFab500 = 3;
constexpr std::uint16_t kF15 = 18, kT72 = 70, kEjectionSeat = 10;

class KillTallyTest : public ::testing::Test {
protected:
    KillTallyTest() { m_builder.AddPlayer(kPlayer); }

    void Tally()
    {
        m_builder.Write(m_file.GetPath());
        ASSERT_TRUE(m_debrief.Open(m_file.GetPath()));
        TallyKills(m_debrief, kPlayer, m_mission);
    }

    CAppSettings m_settings;
    CDebriefBuilder m_builder;
    CTempDebrief m_file;
    CDebrief m_debrief;
    CMission m_mission;
};

TEST_F(KillTallyTest, MissileKillOfAnAircraft)
{
    m_builder.AddRelease(Seconds(95), kPlayer, 40, kR73);
    m_builder.AddKill(Seconds(100), 20, kF15, 40, 3, EVENT_AIR | EVENT_PRI);
    Tally();
    ASSERT_EQ(m_mission.GetKillCount(), 1);
    EXPECT_EQ(m_mission.GetHitCount(), 0);
    EXPECT_EQ(m_mission.GetMissCount(), 0);
    const CKill& kill = *m_mission.GetKill(0);
    EXPECT_EQ(kill.GetAirKill(), 1);
    EXPECT_EQ(kill.GetTargetKill(), 1);
    EXPECT_EQ(kill.GetFired(), CTimeSpan(95));
    EXPECT_EQ(kill.GetHit(), CTimeSpan(100));
    EXPECT_EQ(kill.GetSide(), 3);
    EXPECT_EQ(kill.GetTarget(), kF15);
    EXPECT_EQ(kill.GetWeapon(), kR73);
    EXPECT_EQ(kill.GetNumFired(), 1);
    EXPECT_EQ(kill.GetTargetID(), 20);
}

TEST_F(KillTallyTest, HitsMergePerTargetAndWeaponAndKeepTheFirstTimes)
{
    m_builder.AddRelease(Seconds(100), kPlayer, 40, kR27r);
    m_builder.AddHit(Seconds(104), 20, kF15, 40, 3, EVENT_AIR);
    m_builder.AddRelease(Seconds(110), kPlayer, 41, kR27r);
    m_builder.AddHit(Seconds(114), 20, kF15, 41, 3);
    m_builder.AddRelease(Seconds(120), kPlayer, 42, kR60); // other weapon: own record
    m_builder.AddHit(Seconds(124), 20, kF15, 42, 3);
    Tally();
    ASSERT_EQ(m_mission.GetHitCount(), 2);
    const CKill& hit = *m_mission.GetHit(0);
    EXPECT_EQ(hit.GetNumFired(), 2);
    EXPECT_EQ(hit.GetFired(), CTimeSpan(100));
    EXPECT_EQ(hit.GetHit(), CTimeSpan(104));
    EXPECT_EQ(hit.GetAirKill(), 1);
    EXPECT_EQ(hit.GetWeapon(), kR27r);
    EXPECT_EQ(m_mission.GetHit(1)->GetWeapon(), kR60);
    EXPECT_EQ(m_mission.GetKillCount(), 0);
    EXPECT_EQ(m_mission.GetMissCount(), 0);
}

TEST_F(KillTallyTest, MissesMergePerWeaponWithoutTargetOrTimes)
{
    for (std::uint16_t id = 40; id < 43; ++id)
        m_builder.AddRelease(Seconds(100 + id), kPlayer, id, kR60);
    Tally();
    ASSERT_EQ(m_mission.GetMissCount(), 1);
    const CKill& miss = *m_mission.GetMiss(0);
    EXPECT_EQ(miss.GetWeapon(), kR60);
    EXPECT_EQ(miss.GetNumFired(), 3);
    EXPECT_EQ(miss.GetTargetID(), kNoObject);
    EXPECT_EQ(miss.GetTarget(), 0);
    EXPECT_EQ(miss.GetFired(), CTimeSpan(0));
    EXPECT_EQ(miss.GetHit(), CTimeSpan(0));
}

TEST_F(KillTallyTest, OneReleaseGivesRecordsInTheReverseOrderOfItsEffects)
{
    m_builder.AddRelease(Seconds(100), kPlayer, 40, kFab500, BYTE2_DROPPED);
    m_builder.AddHit(Seconds(101), 20, kT72, 40, 1);
    m_builder.AddHit(Seconds(101), 21, 26, 40);
    m_builder.AddDie(Seconds(102), 20, kT72, 40, 1);
    m_builder.AddKill(Seconds(102), 22, kT72, 40, 1);
    m_builder.AddExpl(Seconds(103), 40, kFab500); // the bomb's own record: not an effect
    Tally();
    ASSERT_EQ(m_mission.GetKillCount(), 2);
    EXPECT_EQ(m_mission.GetKill(0)->GetTargetID(), 22);
    EXPECT_EQ(m_mission.GetKill(1)->GetTargetID(), 20);
    ASSERT_EQ(m_mission.GetHitCount(), 2);
    EXPECT_EQ(m_mission.GetHit(0)->GetTargetID(), 21);
    EXPECT_EQ(m_mission.GetHit(1)->GetTargetID(), 20); // hit, then destroyed: both records
    EXPECT_EQ(m_mission.GetMissCount(), 0);
}

TEST_F(KillTallyTest, OnlyWeaponsThePlayerReleasedCount)
{
    DebriefEvent& notAdded = m_builder.AddRelease(Seconds(100), kPlayer, 40, kR73);
    notAdded.status = EVENT_DYN;
    m_builder.AddKill(Seconds(101), 20, kF15, 40, 3);
    m_builder.AddRelease(Seconds(100), kPlayer, 41, kEjectionSeat);
    m_builder.AddRelease(Seconds(100), 9, 42, kR73); // someone else's missile
    m_builder.AddKill(Seconds(101), 21, kF15, 42, 3);
    Tally();
    EXPECT_EQ(m_mission.GetKillCount(), 0);
    EXPECT_EQ(m_mission.GetHitCount(), 0);
    EXPECT_EQ(m_mission.GetMissCount(), 0);
}

TEST_F(KillTallyTest, GunBurstFoldsEarlierRoundsOnTheSameTargetIntoTheKill)
{
    m_builder.AddRelease(Seconds(100), kPlayer, 40, k30mm, BYTE2_ROUND);
    m_builder.AddRelease(Seconds(100), kPlayer, 41, k30mm, BYTE2_ROUND);
    m_builder.AddRelease(Seconds(100), kPlayer, 42, k30mm, BYTE2_ROUND);
    m_builder.AddHit(Seconds(100), 7, kF15, 40, 3);
    m_builder.AddHit(Seconds(100), 7, kF15, 41, 3);
    m_builder.AddKill(Seconds(101), 7, kF15, 42, 3);
    Tally();
    ASSERT_EQ(m_mission.GetKillCount(), 1);
    EXPECT_EQ(m_mission.GetKill(0)->GetNumFired(), 6);
    ASSERT_EQ(m_mission.GetHitCount(), 1);
    EXPECT_EQ(m_mission.GetHit(0)->GetNumFired(), 2);
}

// File order of rounds of the 23mm gun (one round each) and what the walk
// back from the killing round (the last) counts.
struct BurstCase {
    const char* pszName;
    std::vector<DebriefTime> roundTimes; // the last one kills
    std::vector<bool> struckTarget;      // earlier rounds that also hit the target
    int nRounds;
};

class GunBurstTest : public KillTallyTest, public ::testing::WithParamInterface<BurstCase> {};

TEST_P(GunBurstTest, FollowsTheBurstBackRoundByRound)
{
    const BurstCase& burst = GetParam();
    constexpr std::uint16_t kTarget = 0; // identifier 0 is a real object here
    for (std::size_t i = 0; i < burst.roundTimes.size(); ++i)
        m_builder.AddRelease(burst.roundTimes[i], kPlayer, static_cast<std::uint16_t>(40 + i), k23mm,
                             BYTE2_ROUND);
    for (std::size_t i = 0; i + 1 < burst.roundTimes.size(); ++i)
        m_builder.AddHit(burst.roundTimes[i], burst.struckTarget[i] ? kTarget : 30, kT72,
                         static_cast<std::uint16_t>(40 + i), 2, EVENT_GND);
    m_builder.AddDie(burst.roundTimes.back(), kTarget, kT72,
                     static_cast<std::uint16_t>(40 + burst.roundTimes.size() - 1), 2, EVENT_GND);
    Tally();
    ASSERT_EQ(m_mission.GetKillCount(), 1);
    EXPECT_EQ(m_mission.GetKill(0)->GetNumFired(), burst.nRounds);
}

INSTANTIATE_TEST_SUITE_P(
    Bursts, GunBurstTest,
    ::testing::Values(
        BurstCase{"SameSecondCounts", {Sixteenths(1600), Sixteenths(1615), Sixteenths(1608)}, {true, true}, 3},
        BurstCase{"OneSecondOlderDoesNot", {Seconds(99), Seconds(100)}, {true}, 1},
        BurstCase{"StopsNothingAtAGap", {Seconds(100), Seconds(99), Seconds(100)}, {true, true}, 2},
        BurstCase{"MissingTheTargetIsPassedOver", {Seconds(100), Seconds(100), Seconds(100)}, {true, false}, 2},
        // 100 is counted, then 101; the round at 100 before it is older
        // than the last one counted.
        BurstCase{"MeasuredAgainstTheLastCounted",
                  {Seconds(100), Seconds(101), Seconds(100), Seconds(100)}, {true, true, true}, 3},
        BurstCase{"LaterRoundsEarlierInTheFile",
                  {Seconds(102), Seconds(101), Seconds(100), Seconds(100)}, {true, true, true}, 4}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(KillTallyTest, BurstCountsOnlyChildrenOfTheSameShape)
{
    m_builder.AddRelease(Seconds(100), kPlayer, 40, k23mm, BYTE2_ROUND);
    m_builder.AddRelease(Seconds(100), kPlayer, 41, k30mm, BYTE2_ROUND);
    m_builder.AddRelease(Seconds(100), kPlayer, 42, k30mm, BYTE2_ROUND);
    m_builder.AddHit(Seconds(100), 7, kF15, 40, 3);
    m_builder.AddHit(Seconds(100), 7, kF15, 41, 3);
    m_builder.AddKill(Seconds(100), 7, kF15, 42, 3);
    Tally();
    ASSERT_EQ(m_mission.GetKillCount(), 1);
    EXPECT_EQ(m_mission.GetKill(0)->GetNumFired(), 4);
}

// The tally done the plain way, release by release and effect by effect,
// for debriefs with reused identifiers, unordered times and mixed shapes.
void PlainTally(const CDebrief& debrief, CMission& mission)
{
    CKillFilter filter;
    const CAppSettings& settings = AfxGetAppSettings();
    filter.Accept(debrief, nullptr, settings);
    DebriefEventList children, effects;
    debrief.GetChildEvents(kPlayer, children);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const DebriefEvent& w = *children[i];
        if (!HasAllFlags(w, EVENT_ENTRY) || !IsShapeInSet(WeaponShapes, w.shape))
            continue;
        const CTimeSpan fired = debrief.GetEventTime(&w);
        debrief.GetChildEvents(w.object, effects);
        bool bOutcome = false;
        for (auto it = effects.rbegin(); it != effects.rend(); ++it) {
            const DebriefEvent& e = **it;
            CKill* pRecord = nullptr;
            std::int32_t n = 1;
            if (HasAnyFlag(e, EVENT_DESTROYED)) {
                if (!filter.Accept(debrief, &e, settings))
                    continue;
                if (w.byte2 == BYTE2_ROUND) {
                    n = CountRounds(w.shape);
                    CTimeSpan t = fired;
                    for (std::size_t k = i; k-- > 0;) {
                        const DebriefEvent& p = *children[k];
                        const CTimeSpan tp = debrief.GetEventTime(&p);
                        if (p.shape == w.shape && t - tp < CTimeSpan(1) && debrief.HasStruck(p.object, e.object)) {
                            n += CountRounds(p.shape);
                            t = tp;
                        }
                    }
                }
                pRecord = mission.AddKill();
            } else if (HasAnyFlag(e, EVENT_HIT)) {
                bOutcome = true;
                if (CKill* pHit = mission.FindHit(e.object, e.shape, w.shape)) {
                    pHit->SetNumFired(pHit->GetNumFired() + 1);
                    continue;
                }
                pRecord = mission.AddHit();
            } else {
                continue;
            }
            bOutcome = true;
            pRecord->SetAirKill(HasAllFlags(e, EVENT_AIR) ? 1 : 0);
            pRecord->SetFired(fired);
            pRecord->SetHit(debrief.GetEventTime(&e));
            pRecord->SetSide(e.country);
            pRecord->SetTarget(e.shape);
            pRecord->SetTargetKill(HasAllFlags(e, EVENT_PRI) ? 1 : 0);
            pRecord->SetWeapon(w.shape);
            pRecord->SetNumFired(n);
            pRecord->SetTargetID(e.object);
        }
        if (bOutcome)
            continue;
        if (CKill* pMiss = mission.FindMiss(kNoObject, 0, w.shape))
            pMiss->SetNumFired(pMiss->GetNumFired() + 1);
        else
            mission.AddMiss()->SetWeapon(w.shape);
    }
}

void ExpectSameRecords(const CKill* pGot, const CKill* pWant, const std::string& strWhere)
{
    ASSERT_NE(pGot, nullptr) << strWhere;
    EXPECT_EQ(pGot->GetTargetID(), pWant->GetTargetID()) << strWhere;
    EXPECT_EQ(pGot->GetNumFired(), pWant->GetNumFired()) << strWhere;
    EXPECT_EQ(pGot->GetHit(), pWant->GetHit()) << strWhere;
    EXPECT_EQ(pGot->GetFired(), pWant->GetFired()) << strWhere;
    EXPECT_EQ(pGot->GetTarget(), pWant->GetTarget()) << strWhere;
    EXPECT_EQ(pGot->GetAirKill(), pWant->GetAirKill()) << strWhere;
    EXPECT_EQ(pGot->GetTargetKill(), pWant->GetTargetKill()) << strWhere;
    EXPECT_EQ(pGot->GetSide(), pWant->GetSide()) << strWhere;
    EXPECT_EQ(pGot->GetWeapon(), pWant->GetWeapon()) << strWhere;
}

TEST_F(KillTallyTest, MatchesThePlainWalkOnRandomFlights)
{
    std::mt19937 random(11);
    std::int32_t nLongest = 0; // the flights must hold real bursts
    for (int nFlight = 0; nFlight < 40; ++nFlight) {
        m_settings.m_bIgnoreGndKills = nFlight % 2;
        m_settings.m_bRejectUnkKills = nFlight % 4 == 3;
        CDebriefBuilder builder;
        builder.AddPlayer(kPlayer);
        for (int i = 0; i < 400; ++i) {
            const auto nWeapon = static_cast<std::uint16_t>(10 + random() % 40);
            const auto nVictim = static_cast<std::uint16_t>(random() % 5); // 0 included
            const auto nCountry = static_cast<std::uint8_t>(random() % 3);
            const DebriefTime time = Sixteenths(16 * 100 + random() % 64);
            switch (random() % 6) {
            case 0:
                builder.AddHit(time, nVictim, kT72, nWeapon, nCountry, EVENT_GND);
                break;
            case 1:
                builder.AddDie(time, nVictim, kT72, nWeapon, nCountry, EVENT_GND);
                break;
            case 2: builder.AddHit(time, nWeapon, kT72, kPlayer, 1); break; // rammed
            case 3:
                builder.AddKill(time, nVictim, kF15, nWeapon, nCountry, EVENT_AIR | EVENT_HIT);
                break;
            default:
                builder.AddRelease(time, kPlayer, nWeapon, random() % 2 ? k30mm : k23mm,
                                   random() % 4 ? BYTE2_ROUND : 0);
            }
        }
        CTempDebrief file;
        builder.Write(file.GetPath());
        CDebrief debrief;
        ASSERT_TRUE(debrief.Open(file.GetPath()));
        CMission mission, expected;
        TallyKills(debrief, kPlayer, mission);
        PlainTally(debrief, expected);
        const std::string strFlight = "flight " + std::to_string(nFlight);
        ASSERT_EQ(mission.GetKillCount(), expected.GetKillCount()) << strFlight;
        ASSERT_EQ(mission.GetHitCount(), expected.GetHitCount()) << strFlight;
        ASSERT_EQ(mission.GetMissCount(), expected.GetMissCount()) << strFlight;
        for (int k = 0; k < expected.GetKillCount(); ++k) {
            ExpectSameRecords(mission.GetKill(k), expected.GetKill(k), strFlight + ", kill " + std::to_string(k));
            nLongest = std::max(nLongest, expected.GetKill(k)->GetNumFired());
        }
        for (int k = 0; k < expected.GetHitCount(); ++k)
            ExpectSameRecords(mission.GetHit(k), expected.GetHit(k), strFlight + ", hit " + std::to_string(k));
        for (int k = 0; k < expected.GetMissCount(); ++k)
            ExpectSameRecords(mission.GetMiss(k), expected.GetMiss(k), strFlight + ", miss " + std::to_string(k));
    }
    EXPECT_GT(nLongest, 10);
}

// Both destructions of a T-72 are seen by the filter; the second one has no
// known side and object identifier 0.
struct GroundKillCase {
    const char* pszName;
    std::uint32_t nSecondAt;
    bool bSameRelease;
    int nKills;
    int nMisses;
};

class SuspiciousKillTest : public KillTallyTest, public ::testing::WithParamInterface<GroundKillCase> {};

TEST_P(SuspiciousKillTest, RefusesAnUnknownGroundKillRightAfterAKnownOne)
{
    const GroundKillCase& test = GetParam();
    m_settings.m_bIgnoreGndKills = 1;
    m_builder.AddRelease(Seconds(490), kPlayer, 40, kFab500, BYTE2_DROPPED);
    m_builder.AddDie(Seconds(500), 30, kT72, 40, 2, EVENT_GND);
    if (!test.bSameRelease)
        m_builder.AddRelease(Seconds(491), kPlayer, 41, kFab500, BYTE2_DROPPED);
    m_builder.AddDie(Seconds(test.nSecondAt), 0, kT72, test.bSameRelease ? 40 : 41, 0, EVENT_GND);
    Tally();
    EXPECT_EQ(m_mission.GetKillCount(), test.nKills);
    EXPECT_EQ(m_mission.GetMissCount(), test.nMisses);
}

INSTANTIATE_TEST_SUITE_P(Filter, SuspiciousKillTest,
                         ::testing::Values(GroundKillCase{"TwoSecondsLater", 502, false, 1, 1},
                                           GroundKillCase{"FourSecondsLater", 504, false, 2, 0},
                                           GroundKillCase{"SameReleaseSeenLastFirst", 502, true, 2, 0}),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(KillTallyTest, UnknownSideKillsRefusedCountAsMisses)
{
    m_settings.m_bRejectUnkKills = 1;
    m_builder.AddRelease(Seconds(100), kPlayer, 40, kR73);
    m_builder.AddKill(Seconds(101), 20, kF15, 40, 0, EVENT_AIR);
    m_builder.AddRelease(Seconds(110), kPlayer, 41, kR73);
    m_builder.AddKill(Seconds(111), 21, kF15, 41, 3, EVENT_AIR);
    Tally();
    ASSERT_EQ(m_mission.GetKillCount(), 1);
    EXPECT_EQ(m_mission.GetKill(0)->GetTargetID(), 21);
    ASSERT_EQ(m_mission.GetMissCount(), 1);
    EXPECT_EQ(m_mission.GetMiss(0)->GetWeapon(), kR73);
}

TEST_F(KillTallyTest, ListsStopAtWhatALogCanHold)
{
    for (std::int32_t i = 0; i <= kMaxRecordCount; ++i) {
        const auto nWeapon = static_cast<std::uint16_t>(2 + i % 60000);
        m_builder.AddRelease(Seconds(100), kPlayer, nWeapon, kR73);
        m_builder.AddKill(Seconds(101), 62000, kF15, nWeapon, 3);
    }
    Tally();
    EXPECT_EQ(m_mission.GetKillCount(), kMaxRecordCount);
}

TEST_F(KillTallyTest, RoundsOfOneIdentifierWithManyKillsStillEndSoon)
{
    // Every round would ask how long the burst of each of the 20000 kills
    // was: 400 million questions.
    for (int i = 0; i < 20000; ++i) {
        m_builder.AddRelease(Seconds(100), kPlayer, 7, k30mm, BYTE2_ROUND);
        m_builder.AddKill(Seconds(100), static_cast<std::uint16_t>(100 + i), kF15, 7, 3, EVENT_AIR);
    }
    Tally();
    EXPECT_EQ(m_mission.GetKillCount(), kMaxRecordCount);
}

TEST_F(KillTallyTest, OneIdentifierForEveryWeaponStillEndsSoon)
{
    // Every release would see all 100000 effects: far too much work.
    for (int i = 0; i < 100000; ++i) {
        m_builder.AddRelease(Seconds(100), kPlayer, 7, kR73);
        m_builder.AddHit(Seconds(101), static_cast<std::uint16_t>(100 + i % 50000), kF15, 7, 3);
    }
    Tally();
    EXPECT_EQ(m_mission.GetHitCount(), 50000);
    std::string strNotes;
    AppendEventNotes(m_debrief, kPlayer, strNotes);
    EXPECT_FALSE(strNotes.empty());
}

// The filter on its own: the memory and the two settings.
class KillFilterTest : public ::testing::Test {
protected:
    DebriefEvent GroundKill(std::uint32_t nSeconds, std::uint8_t nCountry, std::uint16_t nObject)
    {
        DebriefEvent event;
        event.time = nSeconds * 16;
        event.status = EVENT_DIE | EVENT_GND;
        event.country = nCountry;
        event.shape = kT72;
        event.object = nObject;
        return event;
    }
    bool Accept(const DebriefEvent& event) { return m_filter.Accept(m_debrief, &event, m_settings); }

    CAppSettings m_settings;
    CDebrief m_debrief; // times of events with their own time need no file
    CKillFilter m_filter;
};

TEST_F(KillFilterTest, RemembersEveryExaminedEventEvenARefusedOne)
{
    m_settings.m_bIgnoreGndKills = 1;
    EXPECT_TRUE(Accept(GroundKill(500, 2, 30)));
    EXPECT_FALSE(Accept(GroundKill(502, 0, 0)));
    EXPECT_TRUE(Accept(GroundKill(503, 0, 0))); // the last one had no side
    EXPECT_TRUE(Accept(GroundKill(504, 2, 31)));
    EXPECT_TRUE(Accept(GroundKill(505, 0, 5))); // only object 0 is suspicious
}

TEST_F(KillFilterTest, NeedsGroundObjectsOfTheSameShape)
{
    m_settings.m_bIgnoreGndKills = 1;
    DebriefEvent known = GroundKill(500, 2, 30);
    DebriefEvent air = GroundKill(501, 0, 0);
    air.status = EVENT_DIE | EVENT_AIR;
    EXPECT_TRUE(Accept(known));
    EXPECT_TRUE(Accept(air));
    DebriefEvent otherShape = GroundKill(502, 0, 0);
    otherShape.shape = 66;
    EXPECT_TRUE(Accept(GroundKill(501, 2, 30)));
    EXPECT_TRUE(Accept(otherShape));
}

TEST_F(KillFilterTest, ResetAndSwitchingOffForgetTheLastEvent)
{
    m_settings.m_bIgnoreGndKills = 1;
    EXPECT_TRUE(Accept(GroundKill(500, 2, 30)));
    EXPECT_TRUE(m_filter.Accept(m_debrief, nullptr, m_settings));
    EXPECT_TRUE(Accept(GroundKill(501, 0, 0)));

    EXPECT_TRUE(Accept(GroundKill(510, 2, 30)));
    m_settings.m_bIgnoreGndKills = 0;
    EXPECT_TRUE(Accept(GroundKill(511, 0, 0)));
    m_settings.m_bIgnoreGndKills = 1;
    EXPECT_TRUE(Accept(GroundKill(511, 0, 0)));
}

TEST_F(KillFilterTest, RejectingUnknownSidesComesFirstAndLeavesTheMemory)
{
    m_settings.m_bRejectUnkKills = 1;
    EXPECT_FALSE(Accept(GroundKill(500, 0, 30)));
    EXPECT_TRUE(Accept(GroundKill(500, 4, 30)));
    m_settings.m_bIgnoreGndKills = 1;
    EXPECT_TRUE(Accept(GroundKill(500, 2, 30)));
    EXPECT_FALSE(Accept(GroundKill(501, 0, 0)));
    m_settings.m_bRejectUnkKills = 0;
    EXPECT_FALSE(Accept(GroundKill(502, 0, 0))); // still measured against the one at 500
}

} // namespace
