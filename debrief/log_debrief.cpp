// LogDebrief: a debrief file becomes a mission of the current log.
#include "debrief/log_debrief.h"

#include "debrief/debrief.h"
#include "debrief/event_notes.h"
#include "debrief/kill_tally.h"
#include "debrief/mission_review.h"
#include "log/app_settings.h"
#include "log/career.h"
#include "log/log_doc.h"
#include "log/mission.h"
#include "log/pilot.h"
#include "platform/message_box.h"

#include <future>
#include <memory>
#include <span>
#include <vector>

namespace {

// Pilot_Status values.
constexpr std::int32_t kStatusOK = 0;
constexpr std::int32_t kStatusDamaged = 1;
constexpr std::int32_t kStatusEjected = 2;
constexpr std::int32_t kStatusKIA = 3;

// An explosion this late on the mission clock, with no hit before it, is
// taken as the pilot going down with the aircraft.
constexpr std::int32_t kLateLossSeconds = 60;

// A shorter flight is tallied in less time than a thread takes to start.
constexpr std::uint32_t kRecordsWorthAThread = 1u << 16;

// The player's events that decide the flight's times and the pilot's fate.
struct CFlightEvents {
    const DebriefEvent* pFirstEntry = nullptr;
    const DebriefEvent* pLastDamage = nullptr;
    const DebriefEvent* pLastKill = nullptr;
    const DebriefEvent* pLastLoss = nullptr;
    const DebriefEvent* pLastRemoval = nullptr;

    CFlightEvents(const CDebrief& debrief, std::span<const std::uint32_t> records)
    {
        for (const std::uint32_t nRecord : records) {
            const DebriefEvent* pEvent = &debrief.m_pEvents[nRecord];
            if (pFirstEntry == nullptr && HasAllFlags(*pEvent, EVENT_ADD))
                pFirstEntry = pEvent;
            if (HasAnyFlag(*pEvent, EVENT_DAMAGED))
                pLastDamage = pEvent;
            if (HasAllFlags(*pEvent, EVENT_KILL))
                pLastKill = pEvent;
            if (HasAnyFlag(*pEvent, EVENT_LOST))
                pLastLoss = pEvent;
            if (HasAllFlags(*pEvent, EVENT_REM))
                pLastRemoval = pEvent;
        }
    }
};

// The last career of the pilot, after the duplicate and KIA questions;
// nullptr when the user chose not to log the mission.
CCareer* ChooseCareer(CPilot& pilot, const CDebrief& debrief)
{
    pilot.SetCurrentCareer(kLastCareer);
    CCareer* pCareer = pilot.GetCurrentCareer();
    // A log may come without any career; the mission must not be lost.
    if (pCareer == nullptr)
        pCareer = pilot.AddCareer();

    if (pCareer->FindMission(debrief.GetTitle(), debrief.m_timeFile) != nullptr &&
        AfxMessageBox("There is already a log entry for this mission.  Do you want to log it again?",
                      MB_YESNO | MB_ICONQUESTION) != IDYES)
        return nullptr;

    if (pilot.LastMissionStatus() == kStatusKIA) {
        const int nAnswer = AfxMessageBox("You are currently listed as KIA.  You can either continue with "
                                          "this career or start a new one.  Do you want to start a new career?",
                                          MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (nAnswer == IDYES)
            pCareer = pilot.AddCareer();
        else if (nAnswer != IDNO)
            return nullptr;
    }
    return pCareer;
}

// How the flight ended: the mission's Takeoff (when the player entered),
// Duration and Pilot_Status, but for a question to the user.
struct CFate {
    CTimeSpan tsTakeoff;
    CTimeSpan tsDuration;
    std::int32_t nStatus = kStatusOK;
    bool bAskEjected = false; // whether the pilot got out is the user's to say

    void Ask()
    {
        if (bAskEjected &&
            AfxMessageBox("Your aircraft was destroyed! Did you eject safely?", MB_YESNO | MB_ICONQUESTION) == IDNO)
            nStatus = kStatusKIA;
    }
};

// tsTakeoff: the mission's, kept by a flight without an entry of the player.
CFate DecideFate(const CDebrief& debrief, const CFlightEvents& flight, CTimeSpan tsTakeoff)
{
    CFate fate;
    fate.tsTakeoff = flight.pFirstEntry != nullptr ? debrief.GetEventTime(flight.pFirstEntry) : tsTakeoff;
    if (flight.pLastDamage != nullptr && flight.pLastKill == nullptr && flight.pLastLoss == nullptr)
        fate.nStatus = kStatusDamaged;

    CTimeSpan tsEnd;
    if (flight.pLastKill != nullptr) {
        tsEnd = debrief.GetEventTime(flight.pLastKill);
        fate.nStatus = kStatusEjected;
        if (flight.pLastLoss != nullptr) {
            const CTimeSpan tsLoss = debrief.GetEventTime(flight.pLastLoss);
            if (tsLoss - tsEnd < AfxGetAppSettings().m_tsEjectionMin) {
                if (flight.pLastDamage == nullptr && tsLoss > CTimeSpan(kLateLossSeconds))
                    fate.nStatus = kStatusKIA;
                else
                    fate.bAskEjected = true;
            }
        }
    } else if (flight.pLastLoss != nullptr) {
        tsEnd = debrief.GetEventTime(flight.pLastLoss);
        fate.nStatus = kStatusKIA;
    } else if (flight.pLastRemoval != nullptr) {
        tsEnd = debrief.GetEventTime(flight.pLastRemoval);
    } else {
        tsEnd = debrief.GetEventTime(debrief.GetLastEvent());
    }
    fate.tsDuration = tsEnd - fate.tsTakeoff;
    return fate;
}

} // namespace

int LogDebrief(const std::string& strPath, std::int32_t nInitialResult)
{
    CLogDoc* pDoc = GetCurrentLogDoc();
    CPilot* pPilot = pDoc != nullptr ? pDoc->GetPilot() : nullptr;
    if (pPilot == nullptr)
        return 0;

    auto pDebrief = std::make_unique<CDebrief>();
    CDebrief& debrief = *pDebrief;
    if (!debrief.Open(strPath))
        return 0;

    const std::uint16_t nPlayer = debrief.FindPlayer();
    // Id 0 stands for no object: such a player has no events of its own.
    if (nPlayer == 0 || nPlayer == kNoObject || debrief.GetFirstObjectEvent(nPlayer) == nullptr) {
        AfxMessageBox("Could not find you in this mission ", MB_OK | MB_ICONSTOP);
        return 0;
    }

    CCareer* pCareer = ChooseCareer(*pPilot, debrief);
    if (pCareer == nullptr)
        return 0;
    CMission* pMission = pCareer->AddMission();
    if (pMission == nullptr)
        return 0;
    CMission& mission = *pMission;

    const std::string strTitle = debrief.GetTitle();
    if (!strTitle.empty() && strTitle != " ")
        mission.SetTitle(strTitle);
    mission.SetFlown(debrief.m_timeFile);
    mission.SetSide(debrief.GetObjectSide(nPlayer));
    mission.SetResult(nInitialResult);
    const CTimeSpan tsTakeoff = mission.GetTakeoff();

    // The tally and the rest only read the debrief, and nothing else touches
    // the mission until the tally is done: on a long flight they run side by
    // side. Otherwise, or without a thread to spare, the tally runs when it
    // is waited for.
    const std::launch policy = debrief.m_nEvents >= kRecordsWorthAThread ? std::launch::async | std::launch::deferred
                                                                         : std::launch::deferred;
    std::future<void> tally = std::async(policy, [&] { TallyKills(debrief, nPlayer, mission); });
    const std::vector<std::uint32_t> playerRecords = FindObjectRecords(debrief, nPlayer);
    CFate fate = DecideFate(debrief, CFlightEvents(debrief, playerRecords), tsTakeoff);
    const CAppSettings& settings = AfxGetAppSettings();
    CNotesText notes;
    if (settings.m_bLogEvents != 0)
        AppendEventNotes(debrief, nPlayer, playerRecords, notes);
    tally.get();
    // Notes that outgrew their room are copied into the comments once the
    // debrief's memory is free again; the others are taken over as they are.
    pDebrief.reset();
    if (settings.m_bLogEvents != 0) {
        std::string strComments = mission.GetComments();
        notes.MoveTo(strComments);
        mission.SetComments(std::move(strComments));
    }

    // Asked once the tally is done, so that nothing on screen changes while
    // the question is open.
    fate.Ask();
    mission.SetTakeoff(fate.tsTakeoff);
    mission.SetDuration(fate.tsDuration);
    mission.SetPilotStatus(fate.nStatus);
    if (settings.m_bShowMission != 0)
        ReviewNewMission(mission);
    return 1;
}
