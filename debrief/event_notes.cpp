// The event notes: lines describing the player's releases, the hits on the
// aircraft and its loss.
#include "debrief/event_notes.h"

#include "debrief/debrief.h"
#include "debrief/kill_filter.h"
#include "debrief/shape_names.h"
#include "debrief/shape_sets.h"
#include "debrief/side_names.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::int32_t kGroupSeconds = 1; // a later event joins a group within this
constexpr std::uint32_t kNoRecord = ~std::uint32_t{0}; // after every record a file can hold

// Whether an event at tsTime joins a group begun at tsStart. Record times
// lie within 2^28 seconds, so the difference never wraps.
bool JoinsGroup(CTimeSpan tsTime, CTimeSpan tsStart)
{
    return std::int64_t{tsTime.GetTotalSeconds()} - tsStart.GetTotalSeconds() <= kGroupSeconds;
}

// Limits of one pass. Without repeated object identifiers every effect is
// described once; a file that reuses one identifier for a huge number of
// weapons would have every release describe every effect, so the pass stops
// once the notes grew by kMaxNotesGrowth or that many effects were looked at.
constexpr std::size_t kMaxNotesGrowth = 32u << 20;

// Room for the notes of most flights in one piece, handed to the mission
// without a copy: this many characters for each record of the player or of
// what it released, which holds a line for each. Only what is written takes
// memory; more than the notes may grow to is never reserved.
constexpr std::size_t kNoteBytesPerRecord = 48;

std::uint64_t MaxEffectSteps(std::size_t nEvents)
{
    return 2 * static_cast<std::uint64_t>(nEvents) + (1u << 24);
}

void AppendTarget(const DebriefEvent& effect, std::string& strText)
{
    if (effect.country != 0) {
        AppendSideName(strText, effect.country);
        strText += ' ';
    }
    AppendShapeName(strText, effect.shape);
}

// The words of an effect ("Hit", "Killed" or the wreckage), made once for
// each side and shape met: a long flight describes the same few targets
// hundreds of thousands of times.
class CEffectWords {
public:
    enum EKind { Hit, Killed, Wreckage, kKinds };

    const std::string& Of(EKind eKind, const DebriefEvent& effect)
    {
        // Sides and shapes outside the tables are named afresh each time.
        const bool bKnown = effect.country < kSideCount && effect.shape < kShapeCount;
        if (!bKnown) {
            Make(eKind, effect, m_strUnknown);
            return m_strUnknown;
        }
        if (m_made.empty())
            m_made.resize(kKinds * kSideCount * kShapeCount);
        std::uint16_t& nMade = m_made[(eKind * kSideCount + effect.country) * kShapeCount + effect.shape];
        if (nMade == 0) {
            m_words.emplace_back();
            Make(eKind, effect, m_words.back());
            nMade = static_cast<std::uint16_t>(m_words.size());
        }
        return m_words[nMade - 1];
    }

private:
    static void Make(EKind eKind, const DebriefEvent& effect, std::string& strWords)
    {
        strWords.clear();
        if (eKind == Wreckage) {
            strWords = ", Hit ";
            AppendShapeName(strWords, effect.shape);
            strWords += " wreckage";
        } else {
            strWords = eKind == Hit ? ", Hit " : ", Killed ";
            AppendTarget(effect, strWords);
        }
    }

    std::vector<std::uint16_t> m_made; // by kind, side and shape: 1 + the place in m_words, or 0
    std::vector<std::string> m_words;  // in the order made
    std::string m_strUnknown;
};

// The outcome of a weapon from its effects (record numbers, in file order).
// False when the kill filter had a say, so that the same effects may read
// differently another time.
template <typename Text>
bool DescribeEffects(const CDebrief& debrief, std::span<const std::uint32_t> effects, CEffectWords& words,
                     Text& strText)
{
    if (effects.empty()) {
        strText += ", Missed";
        return true;
    }
    // The effects of a reused identifier lie far apart in the file: their
    // loads are started together rather than one after another.
    for (const std::uint32_t nRecord : effects)
        __builtin_prefetch(&debrief.m_pEvents[nRecord]);
    bool bFixed = true;
    for (const std::uint32_t nRecord : effects) {
        const DebriefEvent& effect = debrief.m_pEvents[nRecord];
        if (HasAnyFlag(effect, EVENT_HIT)) {
            strText += words.Of(CEffectWords::Hit, effect);
        } else if (HasAnyFlag(effect, EVENT_DESTROYED)) {
            strText += words.Of(AcceptKill(debrief, &effect) ? CEffectWords::Killed : CEffectWords::Wreckage, effect);
            bFixed = false;
        }
    }
    return bFixed;
}

template <typename Text>
void AppendShape(Text& text, unsigned nShape)
{
    if (nShape < kShapeCount)
        text += TableShapeName(nShape);
    else
        text += ShapeName(nShape);
}

// The time in front of every line: "hh:mm:ss" and a tab.
template <typename Text>
void AppendLineTime(Text& strNotes, CTimeSpan tsTime)
{
    const std::int32_t nSeconds = tsTime.GetTotalSeconds();
    if (nSeconds < 0 || nSeconds >= 86400) {
        strNotes += tsTime.Format("%H:%M:%S\t");
        return;
    }
    const auto digits = [](std::int32_t n, char* p) {
        p[0] = static_cast<char>('0' + n / 10);
        p[1] = static_cast<char>('0' + n % 10);
    };
    char text[9] = {0, 0, ':', 0, 0, ':', 0, 0, '\t'};
    digits(nSeconds / 3600, text);
    digits(nSeconds / 60 % 60, text + 3);
    digits(nSeconds % 60, text + 6);
    strNotes += std::string_view(text, sizeof text);
}

// The line time of the last second written, kept: lines come in bursts of
// the same second.
class CLineTime {
public:
    void AppendTo(CNotesText& notes, CTimeSpan tsTime)
    {
        if (tsTime.GetTotalSeconds() != m_nSeconds || m_strText.empty()) {
            m_strText.clear();
            AppendLineTime(m_strText, tsTime);
            m_nSeconds = tsTime.GetTotalSeconds();
        }
        notes += m_strText;
    }

private:
    std::int32_t m_nSeconds = 0;
    std::string m_strText;
};

class CEventNotes {
public:
    CEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, CNotesText& notes)
        : m_debrief(debrief), m_nPlayer(nPlayer), m_notes(notes), m_nStartSize(notes.size()),
          m_nStepsLeft(MaxEffectSteps(debrief.m_pEvents.size()))
    {
    }
    // playerRecords: the records whose object is the player, in file order.
    void Run(std::span<const std::uint32_t> playerRecords);

private:
    void NoteOwn(const DebriefEvent& event, std::uint32_t nRecord);
    void NoteStrike(const DebriefEvent& event, CTimeSpan tsTime);
    void NoteRelease(const DebriefEvent& event, CTimeSpan tsTime);
    void Flush();

    // Where the notes already hold the outcome of a weapon identifier that
    // the kill filter has no say in: a reused identifier reads the same
    // every time. Kept per slot of the identifier.
    struct COutcome {
        std::size_t nOffset = 0;
        std::size_t nLength = 0;
    };
    std::uint32_t OutcomeSlot(std::uint16_t nWeapon)
    {
        if (m_outcomeOf.empty())
            m_outcomeOf.resize(m_debrief.IdSlots().TableSize());
        return m_debrief.IdSlots().Of(nWeapon);
    }

    const CDebrief& m_debrief;
    CDebrief::CTimeCursor m_timeCursor;
    std::uint16_t m_nPlayer;
    CNotesText& m_notes;
    std::size_t m_nStartSize;
    std::uint64_t m_nStepsLeft;
    CEffectWords m_words;
    CLineTime m_lineTime;
    std::vector<COutcome> m_outcomeOf;

    bool m_bAlive = true;
    int m_nPendingCount = 0;
    CNotePattern m_pendingText;
    CTimeSpan m_tsPendingTime;
    std::uint16_t m_nPendingShape = 0;
    std::uint16_t m_nPendingSource = kNoObject;
    std::uint16_t m_nPendingVictim = kNoObject;
    // The slot of the weapon whose outcome the pending line describes
    // afresh, kept once written; kNoSlot when there is none to keep.
    static constexpr std::uint32_t kNoSlot = ~std::uint32_t{0};
    std::uint32_t m_nPendingOutcomeSlot = kNoSlot;
};

void CEventNotes::Flush()
{
    if (m_nPendingCount <= 0)
        return;
    m_lineTime.AppendTo(m_notes, m_tsPendingTime);
    m_pendingText.AppendTo(m_notes, m_nPendingCount);
    if (m_nPendingOutcomeSlot != kNoSlot) {
        // The outcome ends the line, before the line end.
        const std::size_t nLength = m_pendingText.TailSize() - kLineEnd.size();
        m_outcomeOf[m_nPendingOutcomeSlot] = {m_notes.size() - kLineEnd.size() - nLength, nLength};
        m_nPendingOutcomeSlot = kNoSlot;
    }
}

void CEventNotes::Run(std::span<const std::uint32_t> playerRecords)
{
    AcceptKill(m_debrief, nullptr);
    const std::vector<DebriefEvent>& events = m_debrief.m_pEvents;
    // The player's own records and those of what it released, merged in file
    // order: nothing else can make a line.
    const std::span<const std::uint32_t> released = m_debrief.ChildRecords(m_nPlayer);
    const auto full = [this] { return m_notes.size() - m_nStartSize > kMaxNotesGrowth || m_nStepsLeft == 0; };
    auto itReleased = released.begin();
    for (auto itOwn = playerRecords.begin();; ++itOwn) {
        // The released records before the next own record, then that one.
        const std::uint32_t nNextOwn = itOwn != playerRecords.end() ? *itOwn : kNoRecord;
        for (; itReleased != released.end() && *itReleased < nNextOwn; ++itReleased) {
            if (full())
                break;
            const DebriefEvent& event = events[*itReleased];
            if (IsWeaponShape(event.shape) && HasAllFlags(event, EVENT_ENTRY))
                NoteRelease(event, m_debrief.GetRecordTime(*itReleased, m_timeCursor));
        }
        if (itOwn == playerRecords.end() || full())
            break;
        NoteOwn(events[*itOwn], *itOwn);
    }
    Flush();
}

void CEventNotes::NoteOwn(const DebriefEvent& event, std::uint32_t nRecord)
{
    if (HasAnyFlag(event, EVENT_STRUCK))
        NoteStrike(event, m_debrief.GetRecordTime(nRecord, m_timeCursor));
    if (m_bAlive && HasAnyFlag(event, EVENT_FATAL)) {
        Flush();
        m_nPendingCount = 0;
        m_lineTime.AppendTo(m_notes, m_debrief.GetRecordTime(nRecord, m_timeCursor));
        m_notes += "Aircraft Destroyed";
        m_notes += kLineEnd;
        m_bAlive = false;
    }
}

// The aircraft was hit by a weapon or ran into something.
void CEventNotes::NoteStrike(const DebriefEvent& event, CTimeSpan tsTime)
{
    const DebriefEvent* pCause = m_debrief.GetFirstObjectEvent(event.parent);
    if (pCause == nullptr)
        return;
    const DebriefEvent* pSource = m_debrief.GetFirstObjectEvent(pCause->parent);
    if (pSource == nullptr)
        return;
    const std::uint16_t nShape = pCause->shape;
    if (m_nPendingCount > 0 && nShape == m_nPendingShape && pSource->object == m_nPendingSource &&
        JoinsGroup(tsTime, m_tsPendingTime)) {
        m_nPendingCount += CountRounds(nShape);
        return;
    }
    Flush();
    m_nPendingCount = CountRounds(nShape);
    m_tsPendingTime = tsTime;
    m_nPendingShape = nShape;
    m_nPendingSource = pSource->object;
    if (GetShapeClass(nShape) != SHAPE_CLASS_WEAPON) {
        m_pendingText = CNotePattern::Plain("Crashed (" + ShapeName(nShape) + ")" + std::string(kLineEnd));
    } else {
        m_pendingText = CNotePattern::Counted("Hit by ", ShapeName(nShape),
                                              " from " + SideName(pSource->country) + " " + ShapeName(pSource->shape) +
                                                  std::string(kLineEnd));
    }
}

// The player launched, dropped or fired a weapon.
void CEventNotes::NoteRelease(const DebriefEvent& event, CTimeSpan tsTime)
{
    const std::uint16_t nShape = event.shape;
    const std::uint16_t nVictim = m_debrief.GetFirstVictim(event.object);
    if (m_nPendingCount > 0 && nShape == m_nPendingShape && m_nPlayer == m_nPendingSource &&
        JoinsGroup(tsTime, m_tsPendingTime) && nVictim == m_nPendingVictim) {
        m_nPendingCount += CountRounds(nShape);
        m_tsPendingTime = tsTime;
        return;
    }
    Flush();

    const std::span<const std::uint32_t> effects = m_debrief.ChildRecords(event.object);
    m_nStepsLeft -= std::min<std::uint64_t>(m_nStepsLeft, 1 + effects.size());
    const std::uint32_t nSlot = OutcomeSlot(event.object);
    COutcome& outcome = m_outcomeOf[nSlot];
    if (event.byte2 == BYTE2_ROUND) {
        m_nPendingCount = CountRounds(nShape);
        m_nPendingShape = nShape;
        m_tsPendingTime = tsTime;
        m_nPendingSource = m_nPlayer;
        m_nPendingVictim = nVictim;
        if (nShape < kShapeCount)
            m_pendingText.SetCounted("Fired ", TableShapeName(nShape));
        else
            m_pendingText.SetCounted("Fired ", ShapeName(nShape));
        m_nPendingOutcomeSlot = kNoSlot;
        if (outcome.nLength != 0)
            m_notes.VisitPieces(outcome.nOffset, outcome.nLength,
                                [this](std::string_view piece) { m_pendingText += piece; });
        else if (DescribeEffects(m_debrief, effects, m_words, m_pendingText))
            m_nPendingOutcomeSlot = nSlot;
        m_pendingText += kLineEnd;
    } else {
        // A launched or dropped weapon gets its line at once.
        m_nPendingCount = 0;
        m_lineTime.AppendTo(m_notes, tsTime);
        m_notes += event.byte2 == BYTE2_DROPPED ? "Dropped " : "Launched ";
        AppendShape(m_notes, nShape);
        if (outcome.nLength != 0) {
            m_notes.AppendOwn(outcome.nOffset, outcome.nLength);
        } else {
            const std::size_t nOffset = m_notes.size();
            if (DescribeEffects(m_debrief, effects, m_words, m_notes))
                outcome = {nOffset, m_notes.size() - nOffset};
        }
        m_notes += kLineEnd;
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

void CNotePattern::SetCounted(std::string_view strHead, std::string_view strMiddle)
{
    m_bPlaces = true;
    m_strHead.assign(strHead);
    m_strMiddle.assign(strMiddle);
    m_strTail.clear();
}

std::string CNotePattern::Fill(int nCount) const
{
    std::string strLine;
    AppendTo(strLine, nCount);
    return strLine;
}

template <typename Text>
void CNotePattern::Put(Text& text, int nCount) const
{
    if (!m_bPlaces) {
        text += m_strTail;
        return;
    }
    const bool bPlural = nCount >= 2;
    text += m_strHead;
    if (bPlural) {
        text += std::to_string(nCount);
        text += ' ';
    }
    text += m_strMiddle;
    if (bPlural)
        text += 's';
    text += m_strTail;
}

void CNotePattern::AppendTo(std::string& strText, int nCount) const { Put(strText, nCount); }

void CNotePattern::AppendTo(CNotesText& text, int nCount) const { Put(text, nCount); }

void WriteNote(std::string& strNotes, CTimeSpan tsTime, int nCount, const CNotePattern& pattern)
{
    AppendLineTime(strNotes, tsTime);
    pattern.AppendTo(strNotes, nCount);
}

void WriteNote(CNotesText& notes, CTimeSpan tsTime, int nCount, const CNotePattern& pattern)
{
    AppendLineTime(notes, tsTime);
    pattern.AppendTo(notes, nCount);
}

void DescribeOutcome(const CDebrief& debrief, std::uint16_t nWeapon, std::string& strText)
{
    CEffectWords words;
    DescribeEffects(debrief, debrief.ChildRecords(nWeapon), words, strText);
}

std::vector<std::uint32_t> FindObjectRecords(const CDebrief& debrief, std::uint16_t nId)
{
    std::vector<std::uint32_t> records;
    const std::vector<DebriefEvent>& events = debrief.m_pEvents;
    std::size_t nFirst = 0;
    // Id 0 has no first event to start from, though records may name it.
    if (nId != 0) {
        const DebriefEvent* pFirst = debrief.GetFirstObjectEvent(nId);
        if (pFirst == nullptr)
            return records;
        nFirst = static_cast<std::size_t>(pFirst - events.data());
    }
    for (std::size_t i = nFirst; i < events.size(); ++i)
        if (events[i].object == nId)
            records.push_back(static_cast<std::uint32_t>(i));
    return records;
}

void AppendEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, std::span<const std::uint32_t> playerRecords,
                      CNotesText& notes)
{
    const std::size_t nRecords = playerRecords.size() + debrief.ChildRecords(nPlayer).size();
    notes.Reserve(std::min(kMaxNotesGrowth, kNoteBytesPerRecord * nRecords));
    CEventNotes(debrief, nPlayer, notes).Run(playerRecords);
}

void AppendEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, CNotesText& notes)
{
    AppendEventNotes(debrief, nPlayer, FindObjectRecords(debrief, nPlayer), notes);
}

void AppendEventNotes(const CDebrief& debrief, std::uint16_t nPlayer, std::string& strNotes)
{
    CNotesText notes;
    AppendEventNotes(debrief, nPlayer, notes);
    notes.MoveTo(strNotes);
}
