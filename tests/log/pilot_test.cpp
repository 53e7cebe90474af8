#include "log/pilot.h"

#include "log/log_file.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/scoped_env.h"

#include <gtest/gtest.h>

namespace {

const char* const kExampleLog =
    "[Pilot]\r\n"
    "Callsign=Viper\r\n"
    "Career_Count=1\r\n"
    "Created=1998/11/02-19:40:00\r\n"
    "Name=A. Pilot\r\n"
    "Unit=4th Fighter Wing\r\n"
    "Rank=Captain\r\n"
    "[C0]\r\n"
    "Started=1998/11/02-19:40:00\r\n"
    "Mission_Count=1\r\n"
    "[C0M0]\r\n"
    "Duration=0-00:42:10\r\n"
    "Flown=1998/12/05-21:07:33\r\n"
    "Result=0\r\n"
    "Title=Sweep\r\n"
    "Side=1\r\n"
    "Takeoff=0-00:01:30\r\n"
    "Comments=Good hunting\\nRTB\r\n"
    "Kill_Count=1\r\n"
    "[C0M0K0]\r\n"
    "Fired=0-00:20:05\r\n"
    "Hit=0-00:20:12\r\n"
    "Side=3\r\n"
    "Target=18\r\n"
    "Weapon=60\r\n"
    "Target_ID=12\r\n"
    "Air_Kill=1\r\n";

class PilotTest : public ::testing::Test {
protected:
    // Loads the log text; the result of Load goes to bSound.
    CPilot LoadText(const std::string& text, bool* bSound = nullptr)
    {
        WriteBytes(m_dir.File("in.log"), text);
        CPilot pilot;
        CLogFile file(m_dir.File("in.log"));
        const bool bLoaded = pilot.Load(file);
        if (bSound)
            *bSound = bLoaded;
        return pilot;
    }
    std::string SaveText(CPilot& pilot)
    {
        {
            CLogFile file(m_dir.File("out.log"));
            EXPECT_TRUE(pilot.Save(file));
            EXPECT_TRUE(file.Close());
        }
        return ReadBytes(m_dir.File("out.log"));
    }

    CScopedTimeZone m_zone{"Europe/Berlin"};
    CScratchDir m_dir;
};

TEST_F(PilotTest, NewPilotHasOneCurrentCareer)
{
    CPilot pilot;
    EXPECT_EQ(pilot.GetCareerCount(), 1);
    EXPECT_EQ(pilot.GetCurrentCareerIndex(), 0);
    EXPECT_FALSE(pilot.IsModified());
    EXPECT_TRUE(pilot.GetCreated().IsValid());
    EXPECT_EQ(pilot.GetName(), "");
}

TEST_F(PilotTest, ExampleLogLoadsAndSavesToTheSameBytes)
{
    bool bSound = false;
    CPilot pilot = LoadText(kExampleLog, &bSound);
    ASSERT_TRUE(bSound);
    EXPECT_EQ(pilot.GetCallsign(), "Viper");
    EXPECT_EQ(pilot.GetPhoto(), "");
    EXPECT_FALSE(pilot.IsModified());
    const CMission* pMission = pilot.GetCareer(0)->GetMission(0);
    ASSERT_NE(pMission, nullptr);
    EXPECT_EQ(pMission->GetComments(), "Good hunting\r\nRTB");
    EXPECT_EQ(pMission->GetDuration().GetTotalSeconds(), 2530);
    EXPECT_EQ(FormatTimeText(pMission->GetFlown()), "1998/12/05-21:07:33");
    ASSERT_EQ(pMission->GetKillCount(), 1);
    const CKill* pKill = pMission->GetKill(0);
    EXPECT_EQ(pKill->GetTargetID(), 12);
    EXPECT_EQ(pKill->GetNumFired(), 1);
    EXPECT_EQ(pKill->GetAirKill(), 1);
    EXPECT_EQ(SaveText(pilot), kExampleLog);
}

TEST_F(PilotTest, HandEditedLogIsReadCompletely)
{
    // Out of order, mixed case, LF line ends, spaces around the values.
    bool bSound = false;
    CPilot pilot = LoadText("[c0m0k0]\nTARGET_ID = 70000\nside=259\n"
                            "[C0M0]\ntitle=  Strike  \nkill_count=1\nRESULT=2\nFlown=2040/07/01-14:00:00\n"
                            "[c0]\nmission_count=1\nstarted=1999/01/01-00:00:00\n"
                            "[PILOT]\nname=B. Pilot\nCAREER_COUNT=1\n",
                            &bSound);
    ASSERT_TRUE(bSound);
    EXPECT_EQ(pilot.GetName(), "B. Pilot");
    const CCareer* pCareer = pilot.GetCareer(0);
    EXPECT_EQ(FormatTimeText(pCareer->GetStarted()), "1999/01/01-00:00:00");
    const CMission* pMission = pCareer->GetMission(0);
    EXPECT_EQ(pMission->GetTitle(), "Strike");
    EXPECT_EQ(pMission->GetResult(), 2);
    EXPECT_EQ(pMission->GetFlown(), CTime(2040, 7, 1, 14, 0, 0));
    EXPECT_EQ(pMission->GetKill(0)->GetTargetID(), 4464); // low 16 bits
    EXPECT_EQ(pMission->GetKill(0)->GetSide(), 3);        // low 8 bits
}

TEST_F(PilotTest, MissingSectionsGiveDefaultsAndLaterSectionsStillLoad)
{
    const CTime before = CTime::GetCurrentTime();
    CPilot pilot = LoadText("[Pilot]\r\nCareer_Count=2\r\n"
                            "[C0]\r\nMission_Count=3\r\n"
                            "[C0M0]\r\nTitle=First\r\nKill_Count=3\r\n"
                            "[C0M0K0]\r\nTarget=5\r\n"
                            "[C0M0K2]\r\nTarget=7\r\n"
                            "[C0M2]\r\nTitle=Third\r\nDuration=0-01:00:00\r\n"
                            "[C0M5]\r\nTitle=Beyond the count\r\n"
                            "[C1]\r\nMission_Count=1\r\n"
                            "[C1M0]\r\nTitle=Other career\r\n");
    ASSERT_EQ(pilot.GetCareerCount(), 2);
    EXPECT_EQ(pilot.GetCurrentCareerIndex(), 1);
    const CCareer* pCareer = pilot.GetCareer(0);
    ASSERT_EQ(pCareer->GetMissionCount(), 3);
    const CMission* pFirst = pCareer->GetMission(0);
    ASSERT_EQ(pFirst->GetKillCount(), 3);
    EXPECT_EQ(pFirst->GetKill(0)->GetTarget(), 5);
    EXPECT_EQ(pFirst->GetKill(1)->GetTarget(), 0);
    EXPECT_EQ(pFirst->GetKill(1)->GetTargetID(), 65535);
    EXPECT_EQ(pFirst->GetKill(1)->GetNumFired(), 1);
    EXPECT_EQ(pFirst->GetKill(2)->GetTarget(), 7);
    const CMission* pMiddle = pCareer->GetMission(1);
    EXPECT_EQ(pMiddle->GetTitle(), "");
    EXPECT_EQ(pMiddle->GetResult(), 1);
    EXPECT_GE(pMiddle->GetFlown().GetTime(), before.GetTime()); // the time of loading
    EXPECT_EQ(pCareer->GetMission(2)->GetTitle(), "Third");
    EXPECT_EQ(pCareer->TotalDuration().GetTotalSeconds(), 3600);
    EXPECT_GE(pCareer->GetStarted().GetTime(), before.GetTime());
    EXPECT_EQ(pilot.GetCareer(1)->GetMission(0)->GetTitle(), "Other career");
}

TEST_F(PilotTest, CareerCountEdgeCases)
{
    CPilot none = LoadText("[Pilot]\r\nName=x\r\n");
    EXPECT_EQ(none.GetCareerCount(), 1);
    EXPECT_EQ(none.GetCareer(0)->GetMissionCount(), 0);

    CPilot negative = LoadText("[Pilot]\r\nCareer_Count=-1\r\n");
    EXPECT_EQ(negative.GetCareerCount(), 0);
    EXPECT_EQ(negative.GetCurrentCareer(), nullptr);
    EXPECT_EQ(negative.LastMissionStatus(), 0);
    EXPECT_EQ(LoadText(SaveText(negative)).GetCareerCount(), 0); // and keeps none when saved

    CPilot missingFile;
    CLogFile file(m_dir.File("absent.log"));
    EXPECT_TRUE(missingFile.Load(file));
    EXPECT_EQ(missingFile.GetCareerCount(), 1);
}

TEST_F(PilotTest, HugeRecordCountsAreDamage)
{
    const char* const damaged[] = {
        "[Pilot]\r\nCareer_Count=2000000000\r\n",
        "[Pilot]\r\nCareer_Count=100001\r\n",
        "[Pilot]\r\nCareer_Count=1\r\n[C0]\r\nMission_Count=2000000000\r\n",
        "[Pilot]\r\nCareer_Count=1\r\n[C0]\r\nMission_Count=1\r\n[C0M0]\r\nKill_Count=2000000000\r\n",
        "[Pilot]\r\nCareer_Count=1\r\n[C0]\r\nMission_Count=1\r\n[C0M0]\r\nHit_Count=100001\r\n",
        "[Pilot]\r\nCareer_Count=1\r\n[C0]\r\nMission_Count=1\r\n[C0M0]\r\nMiss_Count=99999999999\r\n",
    };
    for (const char* text : damaged) {
        bool bSound = true;
        LoadText(text, &bSound);
        EXPECT_FALSE(bSound) << text;
    }
    bool bSound = false;
    CPilot pilot = LoadText("[Pilot]\r\nCareer_Count=1\r\n[C0]\r\nMission_Count=1\r\n"
                            "[C0M0]\r\nKill_Count=100000\r\nHit_Count=-4\r\n",
                            &bSound);
    EXPECT_TRUE(bSound);
    EXPECT_EQ(pilot.GetCareer(0)->GetMission(0)->GetKillCount(), 100000);
    EXPECT_EQ(pilot.GetCareer(0)->GetMission(0)->GetHitCount(), 0);
}

TEST_F(PilotTest, RecordBudgetStopsNestedCounts)
{
    WriteBytes(m_dir.File("in.log"), "[C0]\r\nMission_Count=3\r\n[C0M1]\r\nKill_Count=2\r\n");
    CLogFile file(m_dir.File("in.log"));
    CCareer career;
    std::int64_t nRecordsLeft = 4;
    EXPECT_FALSE(career.Load(RecordKey(0), file, nRecordsLeft)); // 3 missions + 2 kills
    std::int64_t nEnough = 5;
    EXPECT_TRUE(career.Load(RecordKey(0), file, nEnough));
    EXPECT_EQ(nEnough, 0);
}

TEST_F(PilotTest, DefaultsLeaveNoLines)
{
    CPilot pilot;
    CMission* pMission = pilot.GetCareer(0)->AddMission();
    pMission->SetTitle("");
    pMission->AddKill();                          // all defaults: no section
    pMission->AddHit()->SetNumFired(2);
    pMission->AddMiss()->SetFired(CTimeSpan(-3725));
    const std::string saved = SaveText(pilot);
    const std::string created = FormatTimeText(pilot.GetCreated());
    const std::string started = FormatTimeText(pilot.GetCareer(0)->GetStarted());
    const std::string flown = FormatTimeText(pMission->GetFlown());
    EXPECT_EQ(saved, "[Pilot]\r\nCareer_Count=1\r\nCreated=" + created + "\r\n"
                     "[C0]\r\nStarted=" + started + "\r\nMission_Count=1\r\n"
                     "[C0M0]\r\nFlown=" + flown + "\r\nKill_Count=1\r\nHit_Count=1\r\nMiss_Count=1\r\n"
                     "[C0M0H0]\r\nNum_Fired=2\r\n"
                     "[C0M0M0]\r\nFired=0--1:-2:-5\r\n");

    bool bSound = false;
    CPilot reread = LoadText(saved, &bSound);
    ASSERT_TRUE(bSound);
    const CMission* pReread = reread.GetCareer(0)->GetMission(0);
    EXPECT_EQ(pReread->GetKillCount(), 1);
    EXPECT_EQ(pReread->GetHit(0)->GetNumFired(), 2);
    EXPECT_EQ(pReread->GetMiss(0)->GetFired().GetTotalSeconds(), -3725);
    EXPECT_EQ(SaveText(reread), saved);
}

TEST_F(PilotTest, ResultIsWrittenUnlessUndecided)
{
    for (std::int32_t nResult : {0, 1, 2}) {
        CPilot pilot;
        pilot.GetCareer(0)->AddMission()->SetResult(nResult);
        const std::string saved = SaveText(pilot);
        EXPECT_EQ(saved.find("Result=") != std::string::npos, nResult != 1) << nResult;
        EXPECT_EQ(LoadText(saved).GetCareer(0)->GetMission(0)->GetResult(), nResult);
    }
}

TEST_F(PilotTest, ModifiedFlagsFollowChangesLoadAndSave)
{
    CPilot pilot;
    pilot.SetRank("Major");
    EXPECT_TRUE(pilot.IsModified());
    SaveText(pilot);
    EXPECT_FALSE(pilot.IsModified());

    pilot.GetCareer(0)->AddMission();
    EXPECT_TRUE(pilot.IsModified());
    SaveText(pilot);
    pilot.GetCareer(0)->GetMission(0)->AddKill();
    EXPECT_TRUE(pilot.IsModified());
    SaveText(pilot);
    pilot.GetCareer(0)->GetMission(0)->GetKill(0)->SetWeapon(3);
    EXPECT_TRUE(pilot.GetCareer(0)->GetMission(0)->IsModified());
    EXPECT_TRUE(pilot.IsModified());

    CPilot loaded = LoadText(kExampleLog);
    EXPECT_FALSE(loaded.IsModified());
    loaded.SetCurrentCareer(0); // selecting is no change
    EXPECT_FALSE(loaded.IsModified());
}

TEST_F(PilotTest, CareersAreSelectedAndDeletedWithinRange)
{
    CPilot pilot;
    pilot.AddCareer();
    pilot.AddCareer();
    EXPECT_EQ(pilot.GetCurrentCareerIndex(), 2);
    EXPECT_EQ(pilot.GetCareer(kLastCareer), pilot.GetCareer(2));
    EXPECT_EQ(pilot.GetCareer(3), nullptr);
    EXPECT_EQ(pilot.GetCareer(-1), nullptr);

    const struct {
        std::int32_t nAsked, nTaken;
    } selections[] = {{7, 2}, {-5, 0}, {1, 1}, {kLastCareer, 2}};
    for (const auto& s : selections) {
        pilot.SetCurrentCareer(s.nAsked);
        EXPECT_EQ(pilot.GetCurrentCareerIndex(), s.nTaken) << s.nAsked;
    }

    pilot.DeleteCareer(2); // the current last one
    EXPECT_EQ(pilot.GetCareerCount(), 2);
    EXPECT_EQ(pilot.GetCurrentCareerIndex(), 1);
    pilot.DeleteCareer(5);
    EXPECT_EQ(pilot.GetCareerCount(), 2);
    pilot.DeleteCareer(0);
    pilot.DeleteCareer(0);
    EXPECT_EQ(pilot.GetCurrentCareerIndex(), kLastCareer);
    EXPECT_EQ(pilot.GetCurrentCareer(), nullptr);
}

TEST_F(PilotTest, TotalsCoverAllCareers)
{
    CPilot pilot;
    pilot.GetCareer(0)->AddMission()->SetDuration(600);
    CCareer* pSecond = pilot.AddCareer();
    pSecond->AddMission()->SetDuration(60);
    pSecond->AddMission()->SetPilotStatus(3);
    EXPECT_EQ(pilot.TotalDuration().GetTotalSeconds(), 660);
    EXPECT_EQ(pilot.LastMissionStatus(), 3);
}

} // namespace
