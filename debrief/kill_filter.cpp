// CKillFilter: which destructions count as kills.
#include "debrief/kill_filter.h"

#include "debrief/debrief.h"
#include "log/app_settings.h"

bool CKillFilter::Accept(const CDebrief& debrief, const DebriefEvent* pEvent,
                         const CAppSettings& settings)
{
    if (pEvent == nullptr) {
        m_bHaveLast = false;
        return true;
    }
    // The time is looked up only when it decides something.
    if (settings.m_bIgnoreGndKills == 0)
        return Accept(*pEvent, CTimeSpan(), settings);
    return Accept(*pEvent, debrief.GetEventTime(pEvent), settings);
}

bool CKillFilter::Accept(const DebriefEvent& event, CTimeSpan tsTime, const CAppSettings& settings)
{
    if (settings.m_bIgnoreGndKills == 0 && settings.m_bRejectUnkKills == 0) {
        m_bHaveLast = false;
        return true;
    }
    if (settings.m_bRejectUnkKills != 0 && event.country == 0)
        return false;
    if (settings.m_bIgnoreGndKills == 0)
        return true;

    const bool bSuspicious = m_bHaveLast && event.country == 0 && m_nLastCountry != 0 &&
                             (event.status & EVENT_GND) != 0 && (m_nLastStatus & EVENT_GND) != 0 &&
                             event.shape == m_nLastShape && event.object == 0 &&
                             tsTime - m_tsLastTime < CTimeSpan(kSuspiciousKillSeconds);

    m_bHaveLast = true;
    m_nLastCountry = event.country;
    m_nLastStatus = event.status;
    m_nLastShape = event.shape;
    m_tsLastTime = tsTime;
    return !bSuspicious;
}

namespace {

CKillFilter& TheKillFilter()
{
    static CKillFilter filter;
    return filter;
}

} // namespace

bool AcceptKill(const CDebrief& debrief, const DebriefEvent* pEvent)
{
    return TheKillFilter().Accept(debrief, pEvent, AfxGetAppSettings());
}

bool AcceptKill(const DebriefEvent& event, CTimeSpan tsTime)
{
    return TheKillFilter().Accept(event, tsTime, AfxGetAppSettings());
}
