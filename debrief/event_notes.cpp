// The event notes: lines describing the player's releases, the hits on the
// aircraft and its loss.
#include "debrief/event_notes.h"

#include "debrief/debrief.h"
#include "debrief/kill_filter.h"
#include "debrief/shape_names.h"
#include "debrief/shape_sets.h"
#include "debrief/side_names.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::int32_t kGroupSeconds = 1; // a later event joins a group within this

// Limits of one pass. Without repeated object identifiers every effect is
// described once; a file that reuses one identifier for a huge number of
// weapons would have every release describe every effect, so the pass stops
// once the notes grew by kMaxNotesGrowth or that many effects were looked at.
constexpr std::size_t kMaxNotesGrowth = 32u << 20;
std::uint64_t MaxEffectSteps(std::size_t nEvents)
{
    return 2 * static_cast<std::uint64_t>(nEvents) + (1u << 24);
}

void AppendTarget(const DebriefEvent& effect, std::string& strText)
{
    if (effect.country != 0) {
        strText += SideName(effect.country);
        strText += ' ';
    }
    strText += ShapeName(effect.shape);
}

void DescribeEffects(const CDebrief& debrief, const DebriefEventList& effects, std::string& strText)
{
    if (effects.empty()) {
        strText += ", Missed";
        return;
    }
    for (const DebriefEvent* pEffect : effects) {
        if (HasAnyFlag(*pEffect, EVENT_HIT)) {
            strText += ", Hit ";
            AppendTarget(*pEffect, strText);
        } else if (HasAnyFlag(*pEffect, EVENT_DESTROYED)) {
            if (AcceptKill(debrief, pEffect)) {
                strText += ", Killed ";
                AppendTarget(*pEffect, strText);
            } else {
                strText += ", Hit ";
                strText += ShapeName(pEffect->shape);
                strText += " wreckage";
            }
        }
    }
}

class CEventNotes {
public:
    CEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, std::string& strNotes)
        : m_debrief(debrief), m_nPlayer(nPlayer), m_strNotes(strNotes), m_nStartSize(strNotes.size()),
          m_nStepsLeft(MaxEffectSteps(debrief.m_pEvents.size()))
    {
    }
    void Run();

private:
    void NoteStrike(const DebriefEvent& event);
    void NoteRelease(const DebriefEvent& event);
    void Flush();
    const DebriefEvent* FirstEventOf(std::uint16_t nId);

    const CDebrief& m_debrief;
    std::uint16_t m_nPlayer;
    std::string& m_strNotes;
    std::size_t m_nStartSize;
    std::uint64_t m_nStepsLeft;
    DebriefEventList m_effects;
    std::vector<const DebriefEvent*> m_firstEvents; // by object, built when first needed

    bool m_bAlive = true;
    int m_nPendingCount = 0;
    CNotePattern m_pendingText;
    CTimeSpan m_tsPendingTime;
    std::uint16_t m_nPendingShape = 0;
    std::uint16_t m_nPendingSource = kNoObject;
    std::uint16_t m_nPendingVictim = kNoObject;
};

// The first event of an object as GetObjectEvents lists it.
const DebriefEvent* CEventNotes::FirstEventOf(std::uint16_t nId)
{
    const std::vector<DebriefEvent>& events = m_debrief.m_pEvents;
    if (nId == 0 || events.empty())
        return nullptr;
    if (nId == kNoObject)
        return &events.front();
    if (m_firstEvents.empty()) {
        m_firstEvents.assign(std::size_t{kNoObject} + 1, nullptr);
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            m_firstEvents[it->object] = &*it;
    }
    return m_firstEvents[nId];
}

void CEventNotes::Flush()
{
    if (m_nPendingCount > 0)
        WriteNote(m_strNotes, m_tsPendingTime, m_nPendingCount, m_pendingText);
}

void CEventNotes::Run()
{
    AcceptKill(m_debrief, nullptr);
    for (const DebriefEvent& event : m_debrief.m_pEvents) {
        if (m_strNotes.size() - m_nStartSize > kMaxNotesGrowth || m_nStepsLeft == 0)
            break;
        if (event.object == m_nPlayer) {
            if (HasAnyFlag(event, EVENT_STRUCK))
                NoteStrike(event);
            if (m_bAlive && HasAnyFlag(event, EVENT_FATAL)) {
                Flush();
                m_nPendingCount = 0;
                WriteNote(m_strNotes, m_debrief.GetEventTime(&event), 0,
                          CNotePattern::Plain(std::string("Aircraft Destroyed") + kLineEnd));
                m_bAlive = false;
            }
        } else if (event.parent == m_nPlayer && IsShapeInSet(WeaponShapes, event.shape) &&
                   HasAllFlags(event, EVENT_ENTRY)) {
            NoteRelease(event);
        }
    }
    Flush();
}

// The aircraft was hit by a weapon or ran into something.
void CEventNotes::NoteStrike(const DebriefEvent& event)
{
    const CTimeSpan tsTime = m_debrief.GetEventTime(&event);
    const DebriefEvent* pCause = FirstEventOf(event.parent);
    if (pCause == nullptr)
        return;
    const DebriefEvent* pSource = FirstEventOf(pCause->parent);
    if (pSource == nullptr)
        return;
    const std::uint16_t nShape = pCause->shape;
    if (m_nPendingCount > 0 && nShape == m_nPendingShape && pSource->object == m_nPendingSource &&
        tsTime - m_tsPendingTime <= CTimeSpan(kGroupSeconds)) {
        m_nPendingCount += CountRounds(nShape);
        return;
    }
    Flush();
    m_nPendingCount = CountRounds(nShape);
    m_tsPendingTime = tsTime;
    m_nPendingShape = nShape;
    m_nPendingSource = pSource->object;
    if (GetShapeClass(nShape) != SHAPE_CLASS_WEAPON) {
        m_pendingText = CNotePattern::Plain("Crashed (" + ShapeName(nShape) + ")" + kLineEnd);
    } else {
        m_pendingText = CNotePattern::Counted(
            "Hit by ", ShapeName(nShape),
            " from " + SideName(pSource->country) + " " + ShapeName(pSource->shape) + kLineEnd);
    }
}

// The player launched, dropped or fired a weapon.
void CEventNotes::NoteRelease(const DebriefEvent& event)
{
    const CTimeSpan tsTime = m_debrief.GetEventTime(&event);
    const std::uint16_t nShape = event.shape;
    const std::uint16_t nVictim = m_debrief.GetFirstVictim(event.object);
    if (m_nPendingCount > 0 && nShape == m_nPendingShape && m_nPlayer == m_nPendingSource &&
        tsTime - m_tsPendingTime <= CTimeSpan(kGroupSeconds) && nVictim == m_nPendingVictim) {
        m_nPendingCount += CountRounds(nShape);
        m_tsPendingTime = tsTime;
        return;
    }
    Flush();

    m_debrief.GetChildEvents(event.object, m_effects);
    m_nStepsLeft -= std::min<std::uint64_t>(m_nStepsLeft, 1 + m_effects.size());
    std::string strOutcome;
    DescribeEffects(m_debrief, m_effects, strOutcome);
    strOutcome += kLineEnd;
    if (event.byte2 == BYTE2_ROUND) {
        m_nPendingCount = CountRounds(nShape);
        m_nPendingShape = nShape;
        m_tsPendingTime = tsTime;
        m_nPendingSource = m_nPlayer;
        m_nPendingVictim = nVictim;
        m_pendingText = CNotePattern::Counted("Fired ", ShapeName(nShape), std::move(strOutcome));
    } else {
        m_nPendingCount = 0;
        const char* pszVerb = event.byte2 == BYTE2_DROPPED ? "Dropped " : "Launched ";
        WriteNote(m_strNotes, tsTime, 0, CNotePattern::Plain(pszVerb + ShapeName(nShape) + strOutcome));
    }
}

} // namespace

CNotePattern CNotePattern::Plain(std::string strText)
{
    CNotePattern pattern;
    pattern.m_strTail = std::move(strText);
    return pattern;
}

CNotePattern CNotePattern::Counted(std::string strHead, std::string strMiddle, std::string strTail)
{
    CNotePattern pattern;
    pattern.m_bPlaces = true;
    pattern.m_strHead = std::move(strHead);
    pattern.m_strMiddle = std::move(strMiddle);
    pattern.m_strTail = std::move(strTail);
    return pattern;
}

std::string CNotePattern::Fill(int nCount) const
{
    if (!m_bPlaces)
        return m_strTail;
    const bool bPlural = nCount >= 2;
    std::string strLine = m_strHead;
    if (bPlural) {
        strLine += std::to_string(nCount);
        strLine += ' ';
    }
    strLine += m_strMiddle;
    if (bPlural)
        strLine += 's';
    strLine += m_strTail;
    return strLine;
}

void WriteNote(std::string& strNotes, CTimeSpan tsTime, int nCount, const CNotePattern& pattern)
{
    strNotes += tsTime.Format("%H:%M:%S\t");
    strNotes += pattern.Fill(nCount);
}

void DescribeOutcome(const CDebrief& debrief, std::uint16_t nWeapon, std::string& strText)
{
    DebriefEventList effects;
    debrief.GetChildEvents(nWeapon, effects);
    DescribeEffects(debrief, effects, strText);
}

void AppendEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, std::string& strNotes)
{
    CEventNotes(debrief, nPlayer, strNotes).Run();
}
