#pragma once
// A private folder for one start-up test: it is the settings home
// (XDG_CONFIG_HOME) while it lives, and holds the test's logs and debriefs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "log/log_file.h"
#include "log/pilot.h"

class CAppTestEnv {
public:
    CAppTestEnv()
    {
        std::string strTemplate = (std::filesystem::temp_directory_path() / "sortavel-app-XXXXXX").string();
        if (mkdtemp(strTemplate.data()) == nullptr)
            ADD_FAILURE() << "cannot make a temporary folder";
        m_strDir = strTemplate;
        if (const char* psz = std::getenv("XDG_CONFIG_HOME"))
            m_strOldConfig = psz;
        setenv("XDG_CONFIG_HOME", (m_strDir + "/config").c_str(), 1);
    }
    ~CAppTestEnv()
    {
        if (m_strOldConfig)
            setenv("XDG_CONFIG_HOME", m_strOldConfig->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        std::filesystem::remove_all(m_strDir, ec);
    }
    CAppTestEnv(const CAppTestEnv&) = delete;
    CAppTestEnv& operator=(const CAppTestEnv&) = delete;

    std::string Path(const std::string& strName) const { return m_strDir + "/" + strName; }
    std::string ConfigDir() const { return m_strDir + "/config"; }
    std::string SettingsPath() const { return ConfigDir() + "/Sortavel.ini"; }

    void WriteSettings(const std::string& strText) const
    {
        std::filesystem::create_directories(ConfigDir());
        WriteFile(SettingsPath(), strText);
    }
    std::string ReadSettings() const { return ReadFile(SettingsPath()); }

    static void WriteFile(const std::string& strPath, const std::string& strText)
    {
        std::ofstream out(strPath, std::ios::binary);
        out << strText;
        if (!out)
            ADD_FAILURE() << "cannot write " << strPath;
    }
    static std::string ReadFile(const std::string& strPath)
    {
        std::ifstream in(strPath, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
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
    std::string m_strDir;
    std::optional<std::string> m_strOldConfig;
};

// Settings of a machine that has been set up already.
inline const char* const kSetUpSettings = "[Preferences]\nInit=1\n";
