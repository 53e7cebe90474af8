#include "tests/reliability/reliability_fixture.h"

#include <filesystem>

#include "log/career.h"
#include "log/kill.h"
#include "log/log_file.h"
#include "log/mission.h"
#include "log/pilot.h"
#include "tests/support/debrief_builder.h"

CReliabilityEnv::CReliabilityEnv()
{
    std::filesystem::create_directories(m_strLogDir);
    std::filesystem::create_directories(m_dir.File("config"));
    WriteBytes(m_dir.File("config/Sortavel.ini"), "[Preferences]\nInit=1\n");

    CDebriefBuilder builder;
    builder.SetTitle("Harbour Strike");
    builder.AddPlayer(1);
    builder.AddRelease(Seconds(95), 1, 40, 63);
    builder.AddKill(Seconds(100), 20, 18, 40, 3, EVENT_AIR);
    builder.AddRem(Seconds(900), 1, 68);
    builder.Write(m_strDebrief);
}

void CReliabilityEnv::WriteLog(int nMissions) const
{
    CPilot pilot;
    pilot.SetName("A. Pilot");
    pilot.SetCallsign("Viper");
    CCareer& career = *pilot.GetCurrentCareer();
    for (int i = 0; i < nMissions; ++i) {
        CMission& mission = *career.AddMission();
        mission.SetTitle("Sweep " + std::to_string(i));
        mission.SetFlown(CTime(912888453 + i * 3600));
        mission.SetDuration(CTimeSpan(2530 + i));
        mission.SetComments("Good hunting\r\n00:20:05 Fired R-73 at F-15\r\n00:20:12 Killed F-15\r\nRTB");
        CKill& kill = *mission.AddKill();
        kill.SetTarget(18);
        kill.SetWeapon(63);
        kill.SetFired(CTimeSpan(1205));
        kill.SetHit(CTimeSpan(1212));
        kill.SetTargetID(static_cast<std::uint16_t>(i));
        mission.AddMiss()->SetWeapon(87);
    }
    CLogFile file(m_strLog);
    pilot.Save(file);
    if (!file.Close())
        ADD_FAILURE() << "cannot write " << m_strLog << ": " << file.GetErrorText();
}

std::vector<std::string> CReliabilityEnv::LogMissionArgs() const
{
    return {"/LOG", m_strLog, "/MISSION", m_strDebrief, "/HIDE"};
}

std::size_t CReliabilityEnv::CountStrayFiles() const
{
    std::size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_strLogDir))
        n += entry.path() != m_strLog;
    return n;
}
