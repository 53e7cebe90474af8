#include "log/career.h"

#include "log/mission.h"
#include "log/record_key.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordKeyTest, FormatsSectionNames)
{
    RecordKey key(0, 12, 3);
    EXPECT_EQ(key.FormatSectionName(), "C0M12K3");
    key.SetListLetter('H');
    key.SetKill(0);
    EXPECT_EQ(key.FormatSectionName(), "C0M12H0");
    key.SetMission(7);
    EXPECT_EQ(key.FormatSectionName(), "C0M7H0");
    key.SetKill(-1);
    EXPECT_EQ(key.FormatSectionName(), "C0M7");
    RecordKey miss(1, 0, 2);
    miss.SetListLetter('M');
    EXPECT_EQ(miss.FormatSectionName(), "C1M0M2");
    EXPECT_EQ(RecordKey(0, 12).FormatSectionName(), "C0M12");
    EXPECT_EQ(RecordKey(7).FormatSectionName(), "C7");
}

TEST(CareerTest, MissionsAreFoundByIndex)
{
    CCareer career;
    EXPECT_EQ(career.GetMission(-1), nullptr);
    CMission* pFirst = career.AddMission();
    CMission* pSecond = career.AddMission();
    EXPECT_EQ(career.GetMissionCount(), 2);
    EXPECT_EQ(career.GetMission(0), pFirst);
    EXPECT_EQ(career.GetMission(-1), pSecond);
    EXPECT_EQ(career.GetMission(2), nullptr);
    EXPECT_EQ(career.GetMission(-2), nullptr);
    EXPECT_EQ(pFirst->GetTitle(), "New Mission");
    EXPECT_EQ(pFirst->GetResult(), 1);

    career.RemoveMission(5);
    EXPECT_EQ(career.GetMissionCount(), 2);
    career.RemoveMission(0);
    EXPECT_EQ(career.GetMission(0), pSecond);
}

TEST(CareerTest, TakenMissionMovesToTheEndUntouched)
{
    CCareer career;
    CMission* pMoved = career.AddMission();
    pMoved->SetTitle("Moved");
    career.AddMission()->SetTitle("Stays");
    career.AddMission()->SetTitle("Also stays");
    EXPECT_EQ(career.TakeMission(3), nullptr);

    std::unique_ptr<CMission> pTaken = career.TakeMission(0);
    ASSERT_EQ(pTaken.get(), pMoved);
    EXPECT_EQ(career.GetMissionCount(), 2);
    career.InsertMission(std::move(pTaken), -1);
    EXPECT_EQ(career.GetMission(-1), pMoved);
    EXPECT_EQ(pMoved->GetTitle(), "Moved");
    EXPECT_TRUE(career.IsModified());

    career.InsertMission(career.TakeMission(2), 0);
    EXPECT_EQ(career.GetMission(0), pMoved);
    career.InsertMission(career.TakeMission(0), 99); // past the end: appended
    EXPECT_EQ(career.GetMission(2), pMoved);
    career.InsertMission(nullptr, 0);
    EXPECT_EQ(career.GetMissionCount(), 3);
}

TEST(CareerTest, FindMissionMatchesFlownAndExactTitle)
{
    CCareer career;
    const CTime flown(912892053);
    CMission* pOther = career.AddMission();
    pOther->SetFlown(CTime(912892054));
    CMission* pSweep = career.AddMission();
    pSweep->SetFlown(flown);
    pSweep->SetTitle("Sweep");
    EXPECT_EQ(career.FindMission("Sweep", flown), pSweep);
    EXPECT_EQ(career.FindMission(" ", flown), pSweep);
    EXPECT_EQ(career.FindMission("", flown), pSweep);
    EXPECT_EQ(career.FindMission("sweep", flown), nullptr);
    EXPECT_EQ(career.FindMission("Sweep", CTime(1)), nullptr);
}

TEST(CareerTest, CountsAndTotals)
{
    CCareer career;
    EXPECT_EQ(career.LastMissionStatus(), 0);
    const struct {
        std::int32_t nStatus, nResult, nDuration;
    } missions[] = {{0, 0, 100}, {1, 2, 200}, {2, 0, 300}, {3, 1, -50}};
    for (const auto& m : missions) {
        CMission* pMission = career.AddMission();
        pMission->SetPilotStatus(m.nStatus);
        pMission->SetResult(m.nResult);
        pMission->SetDuration(m.nDuration);
    }
    EXPECT_EQ(career.CountLost(), 2);
    EXPECT_EQ(career.CountSuccessful(), 2);
    EXPECT_EQ(career.CountFailed(), 1);
    EXPECT_EQ(career.TotalDuration().GetTotalSeconds(), 550);
    EXPECT_EQ(career.LastMissionStatus(), 3);
}

TEST(MissionTest, KillListsAndSearches)
{
    CMission mission;
    EXPECT_FALSE(mission.IsModified());
    CKill* pKill = mission.AddKill();
    mission.AddKill();
    CKill* pHit = mission.AddHit();
    pHit->SetTargetID(12);
    pHit->SetTarget(18);
    pHit->SetWeapon(60);
    CKill* pMiss = mission.AddMiss();
    pMiss->SetWeapon(60);
    EXPECT_EQ(mission.GetKillCount(), 2);
    EXPECT_EQ(mission.GetHitCount(), 1);
    EXPECT_EQ(mission.GetMissCount(), 1);
    EXPECT_EQ(mission.FindHit(12, 18, 60), pHit);
    EXPECT_EQ(mission.FindHit(12, 18, 61), nullptr);
    EXPECT_EQ(mission.FindMiss(65535, 0, 60), pMiss);
    EXPECT_EQ(mission.FindMiss(12, 18, 60), nullptr);

    EXPECT_EQ(mission.GetKill(2), nullptr);
    EXPECT_EQ(mission.GetKill(-1), nullptr);
    mission.RemoveKill(2);
    EXPECT_EQ(mission.GetKillCount(), 2);
    mission.RemoveKill(1);
    EXPECT_EQ(mission.GetKill(0), pKill);
    EXPECT_EQ(mission.GetKillCount(), 1);
}

// The analysis holds records by pointer while it adds more.
TEST(MissionTest, RecordsStayInPlaceWhileOthersComeAndGo)
{
    CMission mission;
    CKill* pFirst = mission.AddMiss();
    pFirst->SetWeapon(87);
    for (int i = 0; i < 100; ++i)
        mission.AddMiss();
    EXPECT_EQ(mission.GetMiss(0), pFirst);
    EXPECT_EQ(pFirst->GetWeapon(), 87);

    mission.AddKill();
    CKill* pSecond = mission.AddKill();
    pSecond->SetWeapon(3);
    mission.AddKill()->SetWeapon(5);
    mission.RemoveKill(2); // an added record dropped again...
    mission.RemoveKill(0);
    EXPECT_EQ(mission.GetKill(0), pSecond);
    EXPECT_EQ(pSecond->GetWeapon(), 3);
    EXPECT_EQ(mission.AddKill()->GetWeapon(), 0); // ...leaves nothing behind
    EXPECT_EQ(mission.GetKillCount(), 2);
}

TEST(KillTest, CopyKeepsEveryFieldAndTheFlag)
{
    CKill kill;
    EXPECT_EQ(kill.GetTargetID(), 65535);
    EXPECT_EQ(kill.GetNumFired(), 1);
    EXPECT_FALSE(kill.IsModified());
    kill.SetFired(1205);
    kill.SetSide(3);
    const CKill copy = kill;
    EXPECT_TRUE(copy.IsModified());
    EXPECT_EQ(copy.GetFired().GetTotalSeconds(), 1205);
    EXPECT_EQ(copy.GetSide(), 3);
    EXPECT_EQ(copy.GetTargetID(), 65535);
}

} // namespace
