#pragma once
// One career of the pilot: its missions in the order flown or inserted.
#include "log/mission.h"
#include "log/record_key.h"
#include "log/time_value.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class CLogFile;

class CCareer {
public:
    CCareer();

    // False when the log is damaged (a record count out of range or more
    // records than nRecordsLeft allows); the career is then partly loaded.
    bool Load(RecordKey key, CLogFile& file);
    bool Load(RecordKey key, CLogFile& file, std::int64_t& nRecordsLeft);
    bool Save(RecordKey key, CLogFile& file);
    bool IsModified() const;

    CTime GetStarted() const { return m_timeStarted; }
    int GetMissionCount() const { return static_cast<int>(m_missions.size()); }
    // The mission at nIndex, -1 for the last one; nullptr otherwise.
    CMission* GetMission(int nIndex) const;

    CMission* AddMission();
    void RemoveMission(int nIndex);
    // Hands the mission at nIndex to the caller; nullptr out of range.
    std::unique_ptr<CMission> TakeMission(int nIndex);
    // Inserts before nIndex; a negative index appends.
    void InsertMission(std::unique_ptr<CMission> pMission, int nIndex);
    // The first mission flown at flown whose title is strTitle; an empty or
    // " " title matches any.
    CMission* FindMission(std::string_view strTitle, CTime flown) const;

    CTimeSpan TotalDuration() const;
    int CountLost() const;
    int CountSuccessful() const;
    int CountFailed() const;
    std::int32_t LastMissionStatus() const;

    // Kills of one kill category (defined with the object catalogue).
    int CountKills(int nCategory) const;

private:
    std::int32_t m_bModified = 0;
    CTime m_timeStarted;
    std::vector<std::unique_ptr<CMission>> m_missions;
};
