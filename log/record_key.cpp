#include "log/record_key.h"

#include <charconv>

namespace {

// A letter followed by a number in decimal, as "%c%d" writes them.
char* PutPart(char* p, char* pEnd, char cLetter, std::int32_t nNumber)
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

const std::string& RecordKey::FormatSectionName()
{
    char buffer[48];
    char* const pEnd = buffer + sizeof buffer;
    char* p = PutPart(buffer, pEnd, m_cCareer, m_nCareer);
    if (m_nKill != -1) {
        p = PutPart(p, pEnd, m_cMission, m_nMission);
        p = PutPart(p, pEnd, m_cList, m_nKill);
    } else if (m_nMission != -1) {
        p = PutPart(p, pEnd, m_cMission, m_nMission);
    }
    m_strName.assign(buffer, p);
    return m_strName;
}
