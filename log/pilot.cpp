#include "log/pilot.h"

#include "log/log_file.h"

namespace {
constexpr const char* kSection = "Pilot";
}

CPilot::CPilot() : m_timeCreated(CTime::GetCurrentTime())
{
    AddCareer();
    m_bModified = 0;
}

bool CPilot::IsModified() const
{
    if (m_bModified != 0)
        return true;
    for (const auto& pCareer : m_careers)
        if (pCareer->IsModified())
            return true;
    return false;
}

CCareer* CPilot::AddCareer()
{
    CCareer* pCareer = m_careers.emplace_back(std::make_unique<CCareer>()).get();
    m_nCurrentCareer = GetCareerCount() - 1;
    m_bModified = 1;
    return pCareer;
}

void CPilot::DeleteCareer(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCareerCount())
        return;
    m_careers.erase(m_careers.begin() + nIndex);
    SetCurrentCareer(m_nCurrentCareer);
    m_bModified = 1;
}

CCareer* CPilot::GetCareer(int nIndex) const
{
    if (nIndex == kLastCareer)
        return m_careers.empty() ? nullptr : m_careers.back().get();
    if (nIndex < 0 || nIndex >= GetCareerCount())
        return nullptr;
    return m_careers[static_cast<std::size_t>(nIndex)].get();
}

void CPilot::SetCurrentCareer(std::int32_t nIndex)
{
    if (m_careers.empty())
        m_nCurrentCareer = kLastCareer;
    else if (nIndex == kLastCareer || nIndex >= GetCareerCount())
        m_nCurrentCareer = GetCareerCount() - 1;
    else if (nIndex < 0)
        m_nCurrentCareer = 0;
    else
        m_nCurrentCareer = nIndex;
}

CTimeSpan CPilot::TotalDuration() const
{
    CTimeSpan total;
    for (const auto& pCareer : m_careers)
        total += pCareer->TotalDuration();
    return total;
}

std::int32_t CPilot::LastMissionStatus() const
{
    return m_careers.empty() ? 0 : m_careers.back()->LastMissionStatus();
}

bool CPilot::Load(CLogFile& file)
{
    m_strCallsign = file.GetText(kSection, "Callsign");
    const std::int32_t nCount = file.GetInt(kSection, "Career_Count", 0);
    m_timeCreated = file.GetTime(kSection, "Created", CTime::GetCurrentTime());
    m_strName = file.GetText(kSection, "Name");
    m_strUnit = file.GetText(kSection, "Unit");
    m_strPhoto = file.GetText(kSection, "Photo");
    m_strRank = file.GetText(kSection, "Rank");

    // The current index keeps its value until the next AddCareer.
    m_careers.clear();
    m_bModified = 0;
    if (nCount > kMaxRecordCount)
        return false;
    if (nCount == 0) {
        AddCareer();
    } else {
        std::int64_t nRecordsLeft = kMaxLogRecords - (nCount > 0 ? nCount : 0);
        for (std::int32_t i = 0; i < nCount; ++i) {
            if (!AddCareer()->Load(RecordKey(i), file, nRecordsLeft))
                return false;
        }
    }
    m_bModified = 0;
    return true;
}

bool CPilot::Save(CLogFile& file)
{
    file.PutText(kSection, "Callsign", m_strCallsign);
    // A count of 0 reads back as one new career; a pilot without careers
    // (from a negative count) keeps none.
    file.PutInt(kSection, "Career_Count", m_careers.empty() ? -1 : GetCareerCount());
    file.PutTime(kSection, "Created", m_timeCreated);
    file.PutText(kSection, "Name", m_strName);
    file.PutText(kSection, "Unit", m_strUnit);
    file.PutText(kSection, "Photo", m_strPhoto);
    file.PutText(kSection, "Rank", m_strRank);
    for (std::size_t i = 0; i < m_careers.size(); ++i)
        m_careers[i]->Save(RecordKey(static_cast<std::int32_t>(i)), file);
    m_bModified = 0;
    return true;
}
