#include "log/mission.h"

#include "log/log_file.h"

CMission::CMission() : m_timeFlown(CTime::GetCurrentTime()), m_strTitle("New Mission") {}

bool CMission::IsModified() const
{
    const auto anyModified = [](const CKillList& list) {
        for (const CKill* pKill : list)
            if (pKill->IsModified())
                return true;
        return false;
    };
    return m_bModified != 0 || anyModified(m_kills) || anyModified(m_hits) || anyModified(m_misses);
}

CKill* CMission::At(const CKillList& list, int nIndex)
{
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= list.size())
        return nullptr;
    return list[static_cast<std::size_t>(nIndex)];
}

CKill* CMission::AddKill()
{
    m_bModified = 1;
    return m_kills.Add();
}

CKill* CMission::AddHit()
{
    m_bModified = 1;
    return m_hits.Add();
}

CKill* CMission::AddMiss()
{
    m_bModified = 1;
    return m_misses.Add();
}

void CMission::RemoveKill(int nIndex)
{
    if (At(m_kills, nIndex) == nullptr)
        return;
    m_kills.Remove(static_cast<std::size_t>(nIndex));
    m_bModified = 1;
}

CKill* CMission::Find(const CKillList& list, std::uint16_t nTargetID, std::uint16_t nTarget,
                      std::uint16_t nWeapon)
{
    for (CKill* pKill : list)
        if (pKill->GetTargetID() == nTargetID && pKill->GetTarget() == nTarget && pKill->GetWeapon() == nWeapon)
            return pKill;
    return nullptr;
}

CKill* CMission::FindHit(std::uint16_t nTargetID, std::uint16_t nTarget, std::uint16_t nWeapon) const
{
    return Find(m_hits, nTargetID, nTarget, nWeapon);
}

CKill* CMission::FindMiss(std::uint16_t nTargetID, std::uint16_t nTarget, std::uint16_t nWeapon) const
{
    return Find(m_misses, nTargetID, nTarget, nWeapon);
}

bool CMission::Load(RecordKey key, CLogFile& file)
{
    std::int64_t nRecordsLeft = kMaxLogRecords;
    return Load(key, file, nRecordsLeft);
}

bool CMission::LoadList(CKillList& list, std::int32_t nCount, char cLetter, const RecordKey& key,
                        CLogFile& file, std::int64_t& nRecordsLeft)
{
    list.Clear();
    if (nCount > kMaxRecordCount || nCount > nRecordsLeft)
        return false;
    if (nCount > 0) {
        nRecordsLeft -= nCount;
        list.Reserve(static_cast<std::size_t>(nCount));
    }
    RecordKey kill(key);
    kill.SetListLetter(cLetter);
    kill.SetKill(0);
    kill.FormatSectionName(); // the copies passed on then name only their kill part
    for (std::int32_t i = 0; i < nCount; ++i) {
        kill.SetKill(i);
        list.Add()->Load(kill, file);
    }
    return true;
}

bool CMission::Load(RecordKey key, CLogFile& file, std::int64_t& nRecordsLeft)
{
    const std::string_view section = key.FormatSectionName();
    m_tsDuration = file.GetSpan(section, "Duration", 0);
    m_timeFlown = file.GetTime(section, "Flown", CTime::GetCurrentTime());
    m_nResult = file.GetInt(section, "Result", 1);
    m_strTitle = file.GetText(section, "Title");
    m_nSide = static_cast<std::uint8_t>(file.GetInt(section, "Side", 0));
    m_tsTakeoff = file.GetSpan(section, "Takeoff", 0);
    m_nPilotStatus = file.GetInt(section, "Pilot_Status", 0);
    m_strComments = file.GetText(section, "Comments");
    const std::int32_t nKills = file.GetInt(section, "Kill_Count", 0);
    const std::int32_t nHits = file.GetInt(section, "Hit_Count", 0);
    const std::int32_t nMisses = file.GetInt(section, "Miss_Count", 0);

    const bool bSound = LoadList(m_kills, nKills, 'K', key, file, nRecordsLeft)
        && LoadList(m_hits, nHits, 'H', key, file, nRecordsLeft)
        && LoadList(m_misses, nMisses, 'M', key, file, nRecordsLeft);
    m_bModified = 0;
    return bSound;
}

void CMission::SaveList(CKillList& list, char cLetter, const RecordKey& key, CLogFile& file)
{
    RecordKey kill(key);
    kill.SetListLetter(cLetter);
    kill.SetKill(0);
    kill.FormatSectionName(); // the copies passed on then name only their kill part
    for (std::size_t i = 0; i < list.size(); ++i) {
        kill.SetKill(static_cast<std::int32_t>(i));
        list[i]->Save(kill, file);
    }
}

bool CMission::Save(RecordKey key, CLogFile& file)
{
    const std::string_view section = key.FormatSectionName();
    if (m_tsDuration != CTimeSpan(0))
        file.PutSpan(section, "Duration", m_tsDuration);
    file.PutTime(section, "Flown", m_timeFlown);
    if (m_nResult != 1)
        file.PutInt(section, "Result", m_nResult);
    file.PutText(section, "Title", m_strTitle);
    if (m_nSide != 0)
        file.PutInt(section, "Side", m_nSide);
    if (m_tsTakeoff != CTimeSpan(0))
        file.PutSpan(section, "Takeoff", m_tsTakeoff);
    if (m_nPilotStatus != 0)
        file.PutInt(section, "Pilot_Status", m_nPilotStatus);
    file.PutText(section, "Comments", m_strComments);
    if (!m_kills.empty())
        file.PutInt(section, "Kill_Count", GetKillCount());
    if (!m_hits.empty())
        file.PutInt(section, "Hit_Count", GetHitCount());
    if (!m_misses.empty())
        file.PutInt(section, "Miss_Count", GetMissCount());

    SaveList(m_kills, 'K', key, file);
    SaveList(m_hits, 'H', key, file);
    SaveList(m_misses, 'M', key, file);
    m_bModified = 0;
    return true;
}
