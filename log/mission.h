#pragma once
// One flown mission with its kills, hits and misses lists.
#include "log/kill.h"
#include "log/kill_list.h"
#include "log/record_key.h"
#include "log/time_value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

class CLogFile;

class CMission {
public:
    CMission();

    // False when the log is damaged (a record count out of range or more
    // records than nRecordsLeft allows); the mission is then partly loaded.
    bool Load(RecordKey key, CLogFile& file);
    bool Load(RecordKey key, CLogFile& file, std::int64_t& nRecordsLeft);
    bool Save(RecordKey key, CLogFile& file);
    bool IsModified() const;

    const std::string& GetTitle() const { return m_strTitle; }
    const std::string& GetComments() const { return m_strComments; }
    std::uint8_t GetSide() const { return m_nSide; }
    std::int32_t GetResult() const { return m_nResult; }
    std::int32_t GetPilotStatus() const { return m_nPilotStatus; }
    CTimeSpan GetTakeoff() const { return m_tsTakeoff; }
    CTimeSpan GetDuration() const { return m_tsDuration; }
    CTime GetFlown() const { return m_timeFlown; }

    void SetTitle(std::string_view strTitle) { m_strTitle = strTitle; m_bModified = 1; }
    // Takes the text over (event notes can be long).
    void SetComments(std::string strComments)
    {
        m_strComments = std::move(strComments);
        m_bModified = 1;
    }
    void SetSide(std::uint8_t nSide) { m_nSide = nSide; m_bModified = 1; }
    void SetResult(std::int32_t nResult) { m_nResult = nResult; m_bModified = 1; }
    void SetPilotStatus(std::int32_t nStatus) { m_nPilotStatus = nStatus; m_bModified = 1; }
    void SetTakeoff(CTimeSpan tsTakeoff) { m_tsTakeoff = tsTakeoff; m_bModified = 1; }
    void SetDuration(CTimeSpan tsDuration) { m_tsDuration = tsDuration; m_bModified = 1; }
    void SetFlown(CTime timeFlown) { m_timeFlown = timeFlown; m_bModified = 1; }

    int GetKillCount() const { return static_cast<int>(m_kills.size()); }
    int GetHitCount() const { return static_cast<int>(m_hits.size()); }
    int GetMissCount() const { return static_cast<int>(m_misses.size()); }
    // The record at nIndex of its list; nullptr out of range.
    CKill* GetKill(int nIndex) const { return At(m_kills, nIndex); }
    CKill* GetHit(int nIndex) const { return At(m_hits, nIndex); }
    CKill* GetMiss(int nIndex) const { return At(m_misses, nIndex); }

    CKill* AddKill();
    CKill* AddHit();
    CKill* AddMiss();
    void RemoveKill(int nIndex);

    // The first hit (miss) with these target id, target shape and weapon.
    CKill* FindHit(std::uint16_t nTargetID, std::uint16_t nTarget, std::uint16_t nWeapon) const;
    CKill* FindMiss(std::uint16_t nTargetID, std::uint16_t nTarget, std::uint16_t nWeapon) const;

    // Kills of one kill category (defined with the object catalogue).
    int CountKills(int nCategory) const;

private:
    static CKill* At(const CKillList& list, int nIndex);
    static CKill* Find(const CKillList& list, std::uint16_t nTargetID, std::uint16_t nTarget,
                       std::uint16_t nWeapon);
    static bool LoadList(CKillList& list, std::int32_t nCount, char cLetter, const RecordKey& key,
                         CLogFile& file, std::int64_t& nRecordsLeft);
    static void SaveList(CKillList& list, char cLetter, const RecordKey& key, CLogFile& file);

    std::string m_strComments;
    std::int32_t m_nPilotStatus = 0;
    std::int32_t m_bModified = 0;
    std::uint8_t m_nSide = 0;
    std::int32_t m_nResult = 1;
    CTimeSpan m_tsTakeoff;
    CTimeSpan m_tsDuration;
    CTime m_timeFlown;
    std::string m_strTitle;
    CKillList m_kills;
    CKillList m_hits;
    CKillList m_misses;
};
