#include "log/career.h"

#include "log/log_file.h"

CCareer::CCareer() : m_timeStarted(CTime::GetCurrentTime()) {}

bool CCareer::IsModified() const
{
    if (m_bModified != 0)
        return true;
    for (const auto& pMission : m_missions)
        if (pMission->IsModified())
            return true;
    return false;
}

CMission* CCareer::GetMission(int nIndex) const
{
    if (nIndex == -1)
        return m_missions.empty() ? nullptr : m_missions.back().get();
    if (nIndex < 0 || nIndex >= GetMissionCount())
        return nullptr;
    return m_missions[static_cast<std::size_t>(nIndex)].get();
}

CMission* CCareer::AddMission()
{
    m_bModified = 1;
    return m_missions.emplace_back(std::make_unique<CMission>()).get();
}

void CCareer::RemoveMission(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetMissionCount())
        return;
    m_missions.erase(m_missions.begin() + nIndex);
    m_bModified = 1;
}

std::unique_ptr<CMission> CCareer::TakeMission(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetMissionCount())
        return nullptr;
    std::unique_ptr<CMission> pMission = std::move(m_missions[static_cast<std::size_t>(nIndex)]);
    m_missions.erase(m_missions.begin() + nIndex);
    m_bModified = 1;
    return pMission;
}

void CCareer::InsertMission(std::unique_ptr<CMission> pMission, int nIndex)
{
    if (!pMission)
        return;
    // An index past the end appends as well, rather than writing out of range.
    if (nIndex < 0 || nIndex > GetMissionCount())
        m_missions.push_back(std::move(pMission));
    else
        m_missions.insert(m_missions.begin() + nIndex, std::move(pMission));
    m_bModified = 1;
}

CMission* CCareer::FindMission(std::string_view strTitle, CTime flown) const
{
    const bool bAnyTitle = strTitle.empty() || strTitle == " ";
    for (const auto& pMission : m_missions)
        if (pMission->GetFlown() == flown && (bAnyTitle || pMission->GetTitle() == strTitle))
            return pMission.get();
    return nullptr;
}

CTimeSpan CCareer::TotalDuration() const
{
    CTimeSpan total;
    for (const auto& pMission : m_missions)
        total += pMission->GetDuration();
    return total;
}

int CCareer::CountLost() const
{
    int n = 0;
    for (const auto& pMission : m_missions)
        n += pMission->GetPilotStatus() == 2 || pMission->GetPilotStatus() == 3;
    return n;
}

int CCareer::CountSuccessful() const
{
    int n = 0;
    for (const auto& pMission : m_missions)
        n += pMission->GetResult() == 0;
    return n;
}

int CCareer::CountFailed() const
{
    int n = 0;
    for (const auto& pMission : m_missions)
        n += pMission->GetResult() == 2;
    return n;
}

std::int32_t CCareer::LastMissionStatus() const
{
    return m_missions.empty() ? 0 : m_missions.back()->GetPilotStatus();
}

bool CCareer::Load(RecordKey key, CLogFile& file)
{
    std::int64_t nRecordsLeft = kMaxLogRecords;
    return Load(key, file, nRecordsLeft);
}

bool CCareer::Load(RecordKey key, CLogFile& file, std::int64_t& nRecordsLeft)
{
    const std::string_view section = key.FormatSectionName();
    m_timeStarted = file.GetTime(section, "Started", CTime::GetCurrentTime());
    const std::int32_t nCount = file.GetInt(section, "Mission_Count", 0);
    m_missions.clear();
    m_bModified = 0;
    if (nCount > kMaxRecordCount || nCount > nRecordsLeft)
        return false;
    if (nCount > 0)
        nRecordsLeft -= nCount;
    RecordKey mission(key);
    for (std::int32_t i = 0; i < nCount; ++i) {
        mission.SetMission(i);
        if (!AddMission()->Load(mission, file, nRecordsLeft))
            return false;
    }
    m_bModified = 0;
    return true;
}

bool CCareer::Save(RecordKey key, CLogFile& file)
{
    const std::string_view section = key.FormatSectionName();
    file.PutTime(section, "Started", m_timeStarted);
    file.PutInt(section, "Mission_Count", GetMissionCount());
    RecordKey mission(key);
    for (std::size_t i = 0; i < m_missions.size(); ++i) {
        mission.SetMission(static_cast<std::int32_t>(i));
        m_missions[i]->Save(mission, file);
    }
    m_bModified = 0;
    return true;
}
