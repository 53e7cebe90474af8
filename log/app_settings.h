#pragma once
// The user's preferences held in memory for the whole run: the settings
// members of the application object, which derives from this struct.
#include "log/time_value.h"

#include <string>

struct CAppSettings {
    // Registers the new object as the current settings (the latest one made
    // wins); the destructor unregisters it again.
    CAppSettings();
    virtual ~CAppSettings();
    // Assignment copies the values only; an object is registered only by
    // being constructed.
    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = default;

    int m_nDateFormat = 0;
    int m_bLogEvents = 0;
    int m_bIgnoreGndKills = 0;
    int m_bRejectUnkKills = 0;
    int m_bShowMission = 0;
    CTimeSpan m_tsEjectionMin;
    std::string m_strVortaneDir;
    int m_bAccumulatePilotTime = 0;

private:
    struct Unregistered {};
    explicit CAppSettings(Unregistered) {}
    friend CAppSettings& AfxGetAppSettings();
};

// The settings of the application object: the most recently made
// CAppSettings still alive. With none alive (code run outside the program,
// e.g. a test that makes none) it is one unregistered object holding the
// initial values, so callers never meet a null reference.
CAppSettings& AfxGetAppSettings();
