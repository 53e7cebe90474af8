#pragma once
// The whole pilot log: the pilot's identity and careers.
#include "log/career.h"
#include "log/time_value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CLogFile;

inline constexpr std::int32_t kLastCareer = -999; // also "no current career"

class CPilot {
public:
    CPilot();

    // False: the file is damaged (a record count above kMaxRecordCount, or
    // more records than a log can hold); the pilot is then partly loaded and
    // must be thrown away.
    bool Load(CLogFile& file);
    bool Save(CLogFile& file);
    bool IsModified() const;

    const std::string& GetName() const { return m_strName; }
    const std::string& GetRank() const { return m_strRank; }
    const std::string& GetUnit() const { return m_strUnit; }
    const std::string& GetCallsign() const { return m_strCallsign; }
    const std::string& GetPhoto() const { return m_strPhoto; }
    void SetName(std::string_view strName) { m_strName = strName; m_bModified = 1; }
    void SetRank(std::string_view strRank) { m_strRank = strRank; m_bModified = 1; }
    void SetUnit(std::string_view strUnit) { m_strUnit = strUnit; m_bModified = 1; }
    void SetCallsign(std::string_view strCallsign) { m_strCallsign = strCallsign; m_bModified = 1; }
    void SetPhoto(std::string_view strPhoto) { m_strPhoto = strPhoto; m_bModified = 1; }

    CTime GetCreated() const { return m_timeCreated; }

    int GetCareerCount() const { return static_cast<int>(m_careers.size()); }
    CCareer* AddCareer();
    void DeleteCareer(int nIndex);
    // The career at nIndex, kLastCareer for the last one; nullptr otherwise.
    CCareer* GetCareer(int nIndex) const;
    CCareer* GetCurrentCareer() const { return GetCareer(m_nCurrentCareer); }
    std::int32_t GetCurrentCareerIndex() const { return m_nCurrentCareer; }
    // Clamps to the careers there are; kLastCareer selects the last one.
    void SetCurrentCareer(std::int32_t nIndex);

    CTimeSpan TotalDuration() const;
    std::int32_t LastMissionStatus() const;

private:
    std::string m_strPhoto;
    CTime m_timeCreated;
    std::vector<std::unique_ptr<CCareer>> m_careers;
    std::string m_strName;
    std::string m_strRank;
    std::string m_strUnit;
    std::string m_strCallsign;
    std::int32_t m_nCurrentCareer = kLastCareer;
    std::int32_t m_bModified = 0;
};
