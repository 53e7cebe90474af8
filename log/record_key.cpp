#include "log/record_key.h"

#include <cstdio>

const std::string& RecordKey::FormatSectionName()
{
    char buffer[48];
    if (m_nKill != -1)
        std::snprintf(buffer, sizeof buffer, "%c%d%c%d%c%d", m_cCareer, m_nCareer, m_cMission, m_nMission,
                      m_cList, m_nKill);
    else if (m_nMission != -1)
        std::snprintf(buffer, sizeof buffer, "%c%d%c%d", m_cCareer, m_nCareer, m_cMission, m_nMission);
    else
        std::snprintf(buffer, sizeof buffer, "%c%d", m_cCareer, m_nCareer);
    m_strName = buffer;
    return m_strName;
}
