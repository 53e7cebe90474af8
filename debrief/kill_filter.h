#pragma once
// The kill filter: decides whether a destruction or kill event counts, and
// remembers the last event it examined so that a suspicious destruction
// right after a known one can be refused.
#include "debrief/debrief_event.h"
#include "log/time_value.h"

#include <cstdint>

class CDebrief;
struct CAppSettings;

class CKillFilter {
public:
    // Forgets the last examined event.
    void Reset() { m_bHaveLast = false; }

    // True when the destruction or kill pEvent counts under the settings'
    // "reject unknown" and "ignore suspicious ground kills" choices. A null
    // event resets the memory and counts.
    bool Accept(const CDebrief& debrief, const DebriefEvent* pEvent, const CAppSettings& settings);
    // The same for a destruction whose time is already known.
    bool Accept(const DebriefEvent& event, CTimeSpan tsTime, const CAppSettings& settings);

private:
    bool m_bHaveLast = false;
    std::uint8_t m_nLastCountry = 0;
    std::uint16_t m_nLastStatus = 0;
    std::uint16_t m_nLastShape = 0;
    CTimeSpan m_tsLastTime;
};

// A destruction this soon after a known one of the same ground shape is
// suspicious.
inline constexpr std::int32_t kSuspiciousKillSeconds = 4;

// The program's one filter, with the application's settings. Every pass
// over a debrief starts by calling it with a null event.
bool AcceptKill(const CDebrief& debrief, const DebriefEvent* pEvent);
// The same for a destruction whose time (GetEventTime) is already known.
bool AcceptKill(const DebriefEvent& event, CTimeSpan tsTime);
