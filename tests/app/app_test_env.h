#pragma once
// A private folder for one start-up test: it is the settings home
// (XDG_CONFIG_HOME) while it lives, and holds the test's logs and debriefs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "log/log_file.h"
#include "log/pilot.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scratch_dir.h"

class CAppTestEnv {
public:
    std::string Path(const std::string& strName) const { return m_dir.File(strName); }
    std::string ConfigDir() const { return Path("config"); }
    std::string SettingsPath() const { return ConfigDir() + "/Sortavel.ini"; }

    void WriteSettings(const std::string& strText) const
    {
        std::filesystem::create_directories(ConfigDir());
        WriteFile(SettingsPath(), strText);
    }
    std::string ReadSettings() const { return ReadFile(SettingsPath()); }

    // Writes the pilot as the log strName in the folder; its full path.
    std::string WriteLog(CPilot& pilot, const std::string& strName = "pilot.log") const
    {
        const std::string strPath = Path(strName);
        CLogFile file(strPath);
        pilot.Save(file);
        file.Close();
        return strPath;
    }

    static void WriteFile(const std::string& strPath, const std::string& strText) { WriteBytes(strPath, strText); }
    static std::string ReadFile(const std::string& strPath) { return ReadBytes(strPath); }
    static bool Exists(const std::string& strPath) { return std::filesystem::exists(strPath); }

    // The titles of every mission of the log file, career by career.
    static std::vector<std::string> MissionTitles(const std::string& strLogPath)
    {
        CLogFile file(strLogPath);
        CPilot pilot;
        pilot.Load(file);
        file.Close();
        std::vector<std::string> titles;
        for (int c = 0; c < pilot.GetCareerCount(); ++c)
            for (int m = 0; m < pilot.GetCareer(c)->GetMissionCount(); ++m)
                titles.push_back(pilot.GetCareer(c)->GetMission(m)->GetTitle());
        return titles;
    }

private:
    CScratchDir m_dir;
    CScopedEnv m_config{"XDG_CONFIG_HOME", ConfigDir().c_str()};
};

// Settings of a machine that has been set up already.
inline const char* const kSetUpSettings = "[Preferences]\nInit=1\n";
