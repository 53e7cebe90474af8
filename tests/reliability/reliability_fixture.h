#pragma once
// What the whole-program reliability tests share: a folder that is the
// settings home, a pilot log of a chosen size in a folder of its own, and a
// debrief to log into it.
#include <string>

#include "tests/support/scoped_env.h"
#include "tests/support/scratch_dir.h"

class CReliabilityEnv {
public:
    CReliabilityEnv();

    std::string Root() const { return m_dir.Path().string(); }
    std::string Path(const std::string& strName) const { return m_dir.File(strName); }
    const std::string& LogDir() const { return m_strLogDir; }
    const std::string& LogPath() const { return m_strLog; }
    const std::string& DebriefPath() const { return m_strDebrief; }

    // A log of nMissions missions, each with notes and kill records.
    void WriteLog(int nMissions) const;
    // The arguments that log the debrief into the log and save it, unattended.
    std::vector<std::string> LogMissionArgs() const;
    // Files in the log's folder besides the log.
    std::size_t CountStrayFiles() const;

private:
    CScratchDir m_dir;
    CScopedEnv m_config{"XDG_CONFIG_HOME", m_dir.File("config").c_str()};
    std::string m_strLogDir = m_dir.File("logs");
    std::string m_strLog = m_strLogDir + "/pilot.log";
    std::string m_strDebrief = m_dir.File("flight.stt");
};
