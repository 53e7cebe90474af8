#include "log/record_key.h"

#include <charconv>

namespace {

// A letter followed by a number in decimal, as "%c%d" writes them.
[[gnu::always_inline]] inline char* PutPart(char* p, char* pEnd, char cLetter, std::int32_t nNumber)
{
    *p++ = cLetter;
    if (nNumber >= 0 && nNumber < 1000) { // the usual indices, without a call
        if (nNumber >= 100)
            *p++ = static_cast<char>('0' + nNumber / 100);
        if (nNumber >= 10)
            *p++ = static_cast<char>('0' + nNumber / 10 % 10);
        *p++ = static_cast<char>('0' + nNumber % 10);
        return p;
    }
    return std::to_chars(p, pEnd, nNumber).ptr;
}

} // namespace

std::string_view RecordKey::FormatSectionName()
{
    char* const pEnd = m_szName + sizeof m_szName;
    if (m_nKill != -1 && m_nKillPart != 0 && m_nNamedCareer == m_nCareer && m_nNamedMission == m_nMission) {
        m_nNameLength = static_cast<std::size_t>(PutPart(m_szName + m_nKillPart, pEnd, m_cList, m_nKill) - m_szName);
        return GetName();
    }
    char* p = PutPart(m_szName, pEnd, m_cCareer, m_nCareer);
    m_nKillPart = 0;
    if (m_nKill != -1) {
        p = PutPart(p, pEnd, m_cMission, m_nMission);
        m_nKillPart = static_cast<std::size_t>(p - m_szName);
        m_nNamedCareer = m_nCareer;
        m_nNamedMission = m_nMission;
        p = PutPart(p, pEnd, m_cList, m_nKill);
    } else if (m_nMission != -1) {
        p = PutPart(p, pEnd, m_cMission, m_nMission);
    }
    m_nNameLength = static_cast<std::size_t>(p - m_szName);
    return GetName();
}
