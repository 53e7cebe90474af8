// TallyKills: kill, hit and miss records from the player's weapon releases.
//
// A weapon identifier may be reused by many releases of a long flight, and
// every release then sees every effect of that identifier. The tally is
// therefore done per identifier where the order allows it: destructions go
// through the kill filter one release at a time, in the order the filter must
// see them, while hits (per identifier and weapon shape) and misses (per
// weapon shape) are only counted during the pass and turned into records once
// at the end, in the order in which the pass would first have met them.
#include "debrief/kill_tally.h"

#include "debrief/debrief.h"
#include "debrief/kill_filter.h"
#include "debrief/shape_sets.h"
#include "log/app_settings.h"
#include "log/kill.h"
#include "log/mission.h"
#include "log/record_key.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;

bool IsRelease(const DebriefEvent& event) { return HasAllFlags(event, EVENT_ENTRY) && IsWeaponShape(event.shape); }

// A destruction effect, which goes through the kill filter.
bool IsDestruction(const DebriefEvent& event) { return HasAnyFlag(event, EVENT_DESTROYED); }

std::int32_t SaturatingAdd(std::int32_t nValue, std::int64_t nMore)
{
    return static_cast<std::int32_t>(std::min<std::int64_t>(INT32_MAX, nValue + nMore));
}

// Work a pass may do, in proportion to the file.
class CWorkBudget {
public:
    explicit CWorkBudget(std::size_t nEvents) : m_nLeft(2 * static_cast<std::uint64_t>(nEvents) + (1u << 24)) {}
    // False once the budget is spent.
    bool Spend(std::uint64_t nSteps)
    {
        if (nSteps > m_nLeft) {
            m_nLeft = 0;
            return false;
        }
        m_nLeft -= nSteps;
        return true;
    }
    bool IsSpent() const { return m_nLeft == 0; }

private:
    std::uint64_t m_nLeft;
};

// Items grouped by the slot of an identifier (CIdSlots): the run of slot k
// is m_items[m_start[k]] .. m_items[m_start[k + 1] - 1], the last added
// first. Built in two rounds over the same items: Count every key, then
// Place every item in the same order.
template <typename Item>
class CGroups {
public:
    void StartCounting(std::uint32_t nSlots) { m_start.assign(nSlots + 1, 0); }
    void Count(std::uint32_t nSlot) { ++m_start[nSlot]; }
    // The count of a slot so far; only before StartPlacing.
    std::uint32_t CountOf(std::uint32_t nSlot) const { return m_start[nSlot]; }
    // Each slot's entry becomes the end of its run; placing moves it back
    // to the start.
    void StartPlacing()
    {
        for (std::size_t k = 0; k + 1 < m_start.size(); ++k)
            m_start[k + 1] += m_start[k];
        m_items.resize(m_start.back());
    }
    void Place(std::uint32_t nSlot, const Item& item) { m_items[--m_start[nSlot]] = item; }

    std::span<const Item> Of(std::uint32_t nSlot) const
    {
        return {m_items.data() + m_start[nSlot], m_start[nSlot + 1] - m_start[nSlot]};
    }

private:
    std::vector<std::uint32_t> m_start;
    std::vector<Item> m_items;
};

// The slot of an identifier (CIdSlots): a large file's slots are the
// identifiers themselves, and the passes are made for each case apart.
struct CSameSlot {
    std::uint32_t operator()(std::uint16_t nId) const { return nId; }
};
struct CLookedUpSlot {
    const CIdSlots* pSlots;
    std::uint32_t operator()(std::uint16_t nId) const { return pSlots->Of(nId); }
};

// Rounds of the gun bursts that made kills. Walking back from the killing
// round over the earlier children of the player, a child of the same shape
// that also struck the victim (a candidate) counts when it is not a whole
// second older than the last round counted, and then becomes the last one
// counted. From each counted candidate the walk thus goes on at the nearest
// earlier candidate at least as late as it, so the count of a candidate is
// its own rounds plus the count of that one. One pass over the children in
// file order keeps, per victim and shape asked about, the candidates that
// can still be that nearest one (a stack of falling times), and answers each
// question when it reaches the killing round, itself a candidate. A
// candidate earlier than the next question of its stack is left out: that
// question pops it, and all that counted on it, before anything is asked.
template <typename SlotOf>
class CBurstCounter {
public:
    CBurstCounter(const CDebrief& debrief, std::span<const std::uint32_t> children, SlotOf slotOf)
        : m_debrief(debrief), m_children(children), m_slotOf(slotOf)
    {
    }

    // Asks for the rounds of the burst ending with child nIndex, which killed
    // nVictim. Ask for the kills in the order they are made, then Solve, then
    // take the answers in the same order with Next. An answer does not depend
    // on the other questions.
    void Ask(std::uint32_t nIndex, std::uint16_t nVictim)
    {
        const std::uint32_t nRecord = m_children[nIndex];
        m_queries.push_back({m_slotOf(nVictim), m_debrief.m_pEvents[nRecord].shape, nIndex, 0,
                             m_debrief.GetRecordTime(nRecord, m_timeCursor).GetTotalSeconds()});
    }
    // victimsOf: the slots of the objects each object struck.
    void Solve(const CGroups<std::uint16_t>& victimsOf);
    std::int32_t Next() { return m_nNext < m_answers.size() ? m_answers[m_nNext++] : 1; }

private:
    struct CQuery {
        std::uint32_t nVictim; // its slot
        std::uint16_t nShape;
        std::uint32_t nIndex;
        std::uint32_t nGroup;  // victim and shape
        std::int32_t nSeconds; // of the killing round
    };
    // The stack of a victim and shape, times falling from bottom to top: what
    // every candidate looks at, its top here; the rest in CStack.
    struct CGroup {
        std::int32_t nTopSeconds = -1; // -1 while empty: times are not negative
        std::int32_t nTopRounds = 0;
        std::int32_t nNextSeconds = INT32_MAX; // of the next question; none left: every candidate is left out
        std::uint32_t nLastChild = kNone;
    };
    struct CCandidate {
        std::int32_t nSeconds;
        std::int32_t nRounds;
    };
    struct CStack {
        std::uint32_t nDepth = 0;
        std::vector<CCandidate> below;   // rarely any
        std::uint32_t nNextQuestion = 0; // its position in m_questionSeconds
        std::uint32_t nEndQuestion = 0;
    };
    void MakeGroups();
    void Push(std::uint32_t nGroup, std::int32_t nSeconds, std::int32_t nWeight);
    void AskNext(std::uint32_t nGroup);

    const CDebrief& m_debrief;
    CDebrief::CTimeCursor m_timeCursor;
    std::span<const std::uint32_t> m_children;
    SlotOf m_slotOf;
    std::vector<CQuery> m_queries;
    std::vector<std::int32_t> m_answers; // in the order asked
    std::size_t m_nNext = 0;

    std::vector<CGroup> m_groups;
    std::vector<CStack> m_stacks;                      // per group
    std::vector<std::int32_t> m_questionSeconds;       // by group, in the order asked
    std::array<std::uint32_t, 512> m_shapeSlot{};      // weapon shape -> slot + 1
    std::vector<std::vector<std::uint32_t>> m_groupOf; // per shape slot, per victim's slot; 0: none
};

// Numbers the victim and shape pairs asked about and lists the times of
// each one's questions. Group 0 stands for every other pair: it has no
// question, so it leaves out every candidate.
template <typename SlotOf>
void CBurstCounter<SlotOf>::MakeGroups()
{
    m_stacks.emplace_back();
    for (CQuery& query : m_queries) {
        std::uint32_t& nSlot = m_shapeSlot[query.nShape];
        if (nSlot == 0) {
            m_groupOf.emplace_back(m_debrief.IdSlots().TableSize(), 0);
            nSlot = static_cast<std::uint32_t>(m_groupOf.size());
        }
        std::uint32_t& nGroup = m_groupOf[nSlot - 1][query.nVictim];
        if (nGroup == 0) {
            nGroup = static_cast<std::uint32_t>(m_stacks.size());
            m_stacks.emplace_back();
        }
        query.nGroup = nGroup;
        ++m_stacks[nGroup].nEndQuestion;
    }
    std::uint32_t nStart = 0;
    for (CStack& stack : m_stacks) {
        stack.nNextQuestion = nStart;
        nStart += stack.nEndQuestion;
        stack.nEndQuestion = stack.nNextQuestion;
    }
    m_questionSeconds.resize(m_queries.size());
    for (const CQuery& query : m_queries)
        m_questionSeconds[m_stacks[query.nGroup].nEndQuestion++] = query.nSeconds;
    m_groups.resize(m_stacks.size());
    for (std::uint32_t g = 1; g < m_groups.size(); ++g)
        m_groups[g].nNextSeconds = m_questionSeconds[m_stacks[g].nNextQuestion];
}

// A candidate of another second than the top.
template <typename SlotOf>
void CBurstCounter<SlotOf>::Push(std::uint32_t nGroup, std::int32_t nSeconds, std::int32_t nWeight)
{
    CGroup& group = m_groups[nGroup];
    CStack& stack = m_stacks[nGroup];
    while (stack.nDepth > 0 && group.nTopSeconds < nSeconds) {
        if (--stack.nDepth > 0) {
            group.nTopSeconds = stack.below.back().nSeconds;
            group.nTopRounds = stack.below.back().nRounds;
            stack.below.pop_back();
        } else {
            group.nTopSeconds = -1;
        }
    }
    // At most two rounds per event of the file: no overflow.
    const std::int32_t nRounds = nWeight + (stack.nDepth > 0 ? group.nTopRounds : 0);
    // An earlier candidate no later than this one is never the nearest again.
    if (stack.nDepth > 0 && group.nTopSeconds == nSeconds) {
        group.nTopRounds = nRounds;
        return;
    }
    if (stack.nDepth > 0)
        stack.below.push_back({group.nTopSeconds, group.nTopRounds});
    group.nTopSeconds = nSeconds;
    group.nTopRounds = nRounds;
    ++stack.nDepth;
}

// The group's question was answered: on to its next one.
template <typename SlotOf>
void CBurstCounter<SlotOf>::AskNext(std::uint32_t nGroup)
{
    CStack& stack = m_stacks[nGroup];
    ++stack.nNextQuestion;
    m_groups[nGroup].nNextSeconds = stack.nNextQuestion < stack.nEndQuestion ? m_questionSeconds[stack.nNextQuestion]
                                                                             : INT32_MAX;
}

template <typename SlotOf>
void CBurstCounter<SlotOf>::Solve(const CGroups<std::uint16_t>& victimsOf)
{
    if (m_queries.empty())
        return;
    // Without an answer (the work budget ran out) a kill counts one shot.
    m_answers.resize(m_queries.size());
    for (std::size_t i = 0; i < m_queries.size(); ++i)
        m_answers[i] = CountRounds(m_queries[i].nShape);
    MakeGroups();

    // A file that reuses identifiers beyond reason could make this pass
    // quadratic; past this much work the remaining kills count one shot.
    const DebriefEvent* const pEvents = m_debrief.m_pEvents.data();
    CWorkBudget budget(m_debrief.m_pEvents.size());
    CGroup* const pGroups = m_groups.data();
    // The questions come in the order of their children.
    std::size_t q = 0;
    for (std::uint32_t k = 0; k < m_children.size() && q < m_queries.size(); ++k) {
        const std::uint32_t nRecord = m_children[k];
        const DebriefEvent& child = pEvents[nRecord];
        if (child.shape >= m_shapeSlot.size() || m_shapeSlot[child.shape] == 0)
            continue;
        const std::uint32_t* const pGroupOf = m_groupOf[m_shapeSlot[child.shape] - 1].data();
        const std::span<const std::uint16_t> victims = victimsOf.Of(m_slotOf(child.object));
        if (!budget.Spend(victims.size()))
            break;
        const std::int32_t nSeconds = m_debrief.GetRecordTime(nRecord, m_timeCursor).GetTotalSeconds();
        const std::int32_t nWeight = CountRounds(child.shape);
        for (const std::uint16_t nVictim : victims) {
            const std::uint32_t nGroup = pGroupOf[nVictim];
            CGroup& group = pGroups[nGroup];
            if (nSeconds < group.nNextSeconds || group.nLastChild == k)
                continue; // left out, or struck the victim more than once
            group.nLastChild = k;
            // Mostly another candidate of the same second as the top.
            if (group.nTopSeconds == nSeconds)
                group.nTopRounds += nWeight;
            else
                Push(nGroup, nSeconds, nWeight);
        }
        // The child pushed itself onto the stack of each of its questions,
        // the next one of that stack.
        for (; q < m_queries.size() && m_queries[q].nIndex == k; ++q) {
            m_answers[q] = pGroups[m_queries[q].nGroup].nTopRounds;
            AskNext(m_queries[q].nGroup);
        }
    }
    m_queries = {};
    m_groups = {};
    m_stacks = {};
    m_groupOf = {};
    m_questionSeconds = {};
}

// Numbers by 64-bit key: open addressing, at most half full.
class CKeyIndex {
public:
    static constexpr std::uint32_t kMissing = kNone;

    std::uint32_t Find(std::uint64_t nKey) const
    {
        if (m_slots.empty())
            return kMissing;
        for (std::size_t i = Hash(nKey);; i = (i + 1) & (m_slots.size() - 1)) {
            if (m_slots[i].nValue == kMissing || m_slots[i].nKey == nKey)
                return m_slots[i].nValue;
        }
    }
    // The number of the key; nValue when the key is new.
    std::uint32_t FindOrAdd(std::uint64_t nKey, std::uint32_t nValue)
    {
        if (2 * (m_nCount + 1) > m_slots.size())
            Grow();
        std::size_t i = Hash(nKey);
        for (; m_slots[i].nValue != kMissing; i = (i + 1) & (m_slots.size() - 1))
            if (m_slots[i].nKey == nKey)
                return m_slots[i].nValue;
        m_slots[i] = {nKey, nValue};
        ++m_nCount;
        return nValue;
    }

private:
    struct CSlot {
        std::uint64_t nKey = 0;
        std::uint32_t nValue = kMissing;
    };
    std::size_t Hash(std::uint64_t nKey) const
    {
        return static_cast<std::size_t>((nKey * 0x9E3779B97F4A7C15ull) >> 32) & (m_slots.size() - 1);
    }
    void Grow()
    {
        std::vector<CSlot> old(std::max<std::size_t>(64, 2 * m_slots.size()));
        old.swap(m_slots);
        m_nCount = 0;
        for (const CSlot& slot : old)
            if (slot.nValue != kMissing)
                FindOrAdd(slot.nKey, slot.nValue);
    }

    std::vector<CSlot> m_slots; // a power of two
    std::size_t m_nCount = 0;
};

std::uint64_t HitKey(std::uint16_t nTargetID, std::uint16_t nTarget, std::uint16_t nWeapon)
{
    return (std::uint64_t{nTargetID} << 32) | (std::uint64_t{nTarget} << 16) | nWeapon;
}

// A destruction effect with what the pass needs of it, kept together so
// that the releases sharing an identifier find its destructions in one place.
struct CDestruction {
    DebriefEvent event;
    CTimeSpan tsTime;
};

template <typename SlotOf>
class CKillTally {
public:
    CKillTally(const CDebrief& debrief, std::uint16_t nPlayer, CMission& mission, SlotOf slotOf)
        : m_debrief(debrief), m_events(debrief.m_pEvents), m_children(debrief.ChildRecords(nPlayer)),
          m_mission(mission), m_bursts(debrief, m_children, slotOf), m_settings(AfxGetAppSettings()),
          m_slots(debrief.IdSlots()), m_slotOf(slotOf)
    {
    }
    void Run();

private:
    // The releases of one weapon object and shape: how many, and the first.
    struct CHitGroup {
        std::uint16_t nObject;
        std::uint16_t nShape;
        std::uint32_t nNextOfObject; // the next group of the same object, or kNone
        CTimeSpan tsFired;           // of the first release
        std::int64_t nReleases;
    };
    // A hit record to be: a target object and shape and a weapon shape.
    struct CHit {
        std::uint64_t nRank; // group, then place among the weapon's hits from the last
        std::uint64_t nKey;
        std::uint32_t nGroup;
        std::uint32_t nRecord;
        std::int64_t nCount;
    };
    void CountEffects();
    void GroupReleases();
    void PlaceEffects();
    void AskBurstCounts();
    void FilterKills(std::uint32_t nIndex);
    void CountHitGroup(const DebriefEvent& release, std::uint32_t nWeapon, std::uint32_t nRecord);
    void CountHit(const DebriefEvent& effect, std::uint32_t nWeapon, std::uint32_t nRecord);
    void AddHits();
    void AddKills();
    void CountMiss(std::uint16_t nShape, std::uint32_t nIndex);
    void AddMisses();

    const CDebrief& m_debrief;
    CDebrief::CTimeCursor m_timeCursor;
    const std::vector<DebriefEvent>& m_events;
    std::span<const std::uint32_t> m_children;
    CMission& m_mission;
    CBurstCounter<SlotOf> m_bursts;
    CKillFilter m_filter;
    const CAppSettings& m_settings;
    bool m_bRounds = false; // a child is a gun round
    // The releases within the budget whose identifier destroyed something.
    std::vector<std::uint32_t> m_killers;
    // The kills the list has room for: the release and its accepted effect.
    struct CKillToMake {
        std::uint32_t nIndex;
        const CDestruction* pEffect;
    };
    std::vector<CKillToMake> m_kills;

    // Kept per slot of an identifier (CIdSlots).
    const CIdSlots& m_slots;
    SlotOf m_slotOf;
    CGroups<CDestruction> m_destructionsBy;     // destruction effects by their weapon
    CGroups<std::uint16_t> m_victimsOf;         // the slots of what each object hit, destroyed or killed
    std::vector<std::uint32_t> m_plainHits;     // per weapon: its plain hit effects not yet walked over
    std::vector<CHitGroup> m_hitGroups;         // in the order of their first release
    std::vector<std::uint32_t> m_firstHitGroup; // per object, or kNone
    std::array<CKill*, 512> m_missesByWeapon{}; // weapon shapes are below 512
    // The misses of a weapon shape: how many, and the child of the first.
    struct CMisses {
        std::uint32_t nFirst = kNone;
        std::int64_t nCount = 0;
    };
    std::array<CMisses, 512> m_misses{};

    std::vector<CHit> m_hits;
    CKeyIndex m_hitOfKey;
    // The hits of a burst mostly share one key.
    std::uint64_t m_nLastKey = ~std::uint64_t{0};
    std::uint32_t m_nLastHit = 0;
};

void SetFields(CKill& kill, const DebriefEvent& effect, std::uint16_t nWeapon, CTimeSpan tsFired,
               CTimeSpan tsHit)
{
    kill.SetAirKill(HasAllFlags(effect, EVENT_AIR) ? 1 : 0);
    kill.SetFired(tsFired);
    kill.SetHit(tsHit);
    kill.SetSide(effect.country);
    kill.SetTarget(effect.shape);
    kill.SetTargetKill(HasAllFlags(effect, EVENT_PRI) ? 1 : 0);
    kill.SetWeapon(nWeapon);
    kill.SetTargetID(effect.object);
}

template <typename SlotOf>
void CKillTally<SlotOf>::Run()
{
    // The misses list may already hold records to merge into.
    for (int k = m_mission.GetMissCount() - 1; k >= 0; --k) {
        CKill* pMiss = m_mission.GetMiss(k);
        if (pMiss->GetTargetID() == kNoObject && pMiss->GetTarget() == 0 &&
            pMiss->GetWeapon() < m_missesByWeapon.size())
            m_missesByWeapon[pMiss->GetWeapon()] = pMiss;
    }

    CountEffects();
    GroupReleases();
    PlaceEffects();
    for (const std::uint32_t i : m_killers)
        FilterKills(i);
    m_killers = {};
    AskBurstCounts();
    m_bursts.Solve(m_victimsOf);
    m_victimsOf = {};
    AddKills();
    AddHits();
    AddMisses();
}

// What every object struck, counted: its destruction effects, its plain
// hits, and for the bursts every object it struck (itself included).
template <typename SlotOf>
void CKillTally<SlotOf>::CountEffects()
{
    // Only the kills of gun rounds need what each object struck.
    m_bRounds = std::any_of(m_children.begin(), m_children.end(),
                            [&](std::uint32_t r) { return m_events[r].byte2 == BYTE2_ROUND; });
    const std::uint32_t nSlots = m_slots.TableSize();
    m_plainHits.assign(nSlots, 0);
    m_destructionsBy.StartCounting(nSlots);
    if (m_bRounds)
        m_victimsOf.StartCounting(nSlots);
    for (const DebriefEvent& event : m_events) {
        if (!HasAnyFlag(event, EVENT_STRUCK))
            continue;
        const std::uint32_t nParent = m_slotOf(event.parent);
        if (m_bRounds)
            m_victimsOf.Count(nParent);
        if (event.parent == event.object)
            continue;
        if (IsDestruction(event))
            m_destructionsBy.Count(nParent);
        else
            ++m_plainHits[nParent];
    }
}

// The releases the work budget allows: the groups of those that hit
// something, and the misses of those that neither hit nor destroyed
// anything; the others go through the kill filter later. A file that reuses
// one identifier for a huge number of weapons would make every release see
// every destruction of it, so the tally stops once that much work is spent.
template <typename SlotOf>
void CKillTally<SlotOf>::GroupReleases()
{
    m_firstHitGroup.assign(m_slots.TableSize(), kNone);
    CWorkBudget budget(m_events.size());
    const DebriefEvent* const pEvents = m_events.data();
    for (std::uint32_t i = 0; i < m_children.size() && !budget.IsSpent(); ++i) {
        const std::uint32_t nRecord = m_children[i];
        const DebriefEvent& release = pEvents[nRecord];
        if (!IsRelease(release))
            continue;
        const std::uint32_t nWeapon = m_slotOf(release.object);
        const std::uint32_t nDestructions = m_destructionsBy.CountOf(nWeapon);
        if (!budget.Spend(1 + std::uint64_t{nDestructions}))
            break;
        if (nDestructions != 0)
            m_killers.push_back(i);
        else if (m_plainHits[nWeapon] == 0)
            CountMiss(release.shape, i);
        if (m_plainHits[nWeapon] != 0)
            CountHitGroup(release, nWeapon, nRecord);
    }
}

// The effects in their runs, and each plain hit of a group counted where
// the tally meets it first.
template <typename SlotOf>
void CKillTally<SlotOf>::PlaceEffects()
{
    m_destructionsBy.StartPlacing();
    if (m_bRounds)
        m_victimsOf.StartPlacing();
    const DebriefEvent* const pEvents = m_events.data();
    const std::uint32_t nEvents = static_cast<std::uint32_t>(m_events.size());
    for (std::uint32_t nRecord = 0; nRecord < nEvents; ++nRecord) {
        const DebriefEvent& event = pEvents[nRecord];
        if (!HasAnyFlag(event, EVENT_STRUCK))
            continue;
        const std::uint32_t nParent = m_slotOf(event.parent);
        // The slot of an identifier in use is below 65536.
        if (m_bRounds)
            m_victimsOf.Place(nParent, static_cast<std::uint16_t>(m_slotOf(event.object)));
        if (event.parent == event.object)
            continue;
        if (IsDestruction(event))
            m_destructionsBy.Place(nParent, {event, m_debrief.GetRecordTime(nRecord, m_timeCursor)});
        else if (m_firstHitGroup[nParent] != kNone)
            CountHit(event, nParent, nRecord);
    }
}

// The burst of every kill of a gun round that is made, in order. Only those
// ask: a file that reuses one identifier for many rounds and many kills
// would otherwise ask a question per round and kill.
template <typename SlotOf>
void CKillTally<SlotOf>::AskBurstCounts()
{
    for (const CKillToMake& kill : m_kills)
        if (m_events[m_children[kill.nIndex]].byte2 == BYTE2_ROUND)
            m_bursts.Ask(kill.nIndex, kill.pEffect->event.object);
}

// The destructions of a release go through the kill filter; those it
// accepts become kills while the list has room.
template <typename SlotOf>
void CKillTally<SlotOf>::FilterKills(std::uint32_t nIndex)
{
    const DebriefEvent& release = m_events[m_children[nIndex]];
    const std::uint32_t nWeapon = m_slotOf(release.object);
    // A weapon with plain hits has a group.
    bool bOutcome = m_firstHitGroup[nWeapon] != kNone;
    // A longer list would make the log unreadable.
    const std::size_t nRoom = static_cast<std::size_t>(std::max(0, kMaxRecordCount - m_mission.GetKillCount()));
    // Effects are examined from the last to the first.
    for (const CDestruction& destruction : m_destructionsBy.Of(nWeapon)) {
        if (!m_filter.Accept(destruction.event, destruction.tsTime, m_settings))
            continue;
        bOutcome = true;
        if (m_kills.size() < nRoom)
            m_kills.push_back({nIndex, &destruction});
    }
    if (!bOutcome)
        CountMiss(release.shape, nIndex);
}

template <typename SlotOf>
void CKillTally<SlotOf>::CountHitGroup(const DebriefEvent& release, std::uint32_t nWeapon, std::uint32_t nRecord)
{
    std::uint32_t* pLink = &m_firstHitGroup[nWeapon];
    while (*pLink != kNone) {
        CHitGroup& group = m_hitGroups[*pLink];
        if (group.nShape == release.shape) {
            ++group.nReleases;
            return;
        }
        pLink = &group.nNextOfObject;
    }
    *pLink = static_cast<std::uint32_t>(m_hitGroups.size());
    m_hitGroups.push_back({release.object, release.shape, kNone, m_debrief.GetRecordTime(nRecord, m_timeCursor), 1});
}

// A plain hit of a weapon with groups, met in file order: for every group a
// hit record to be, which keeps the place where the tally meets it first
// (the releases in order, each one's effects from the last to the first)
// and counts every release of every group that met it.
template <typename SlotOf>
void CKillTally<SlotOf>::CountHit(const DebriefEvent& effect, std::uint32_t nWeapon, std::uint32_t nRecord)
{
    const std::uint32_t nFromLast = --m_plainHits[nWeapon];
    const std::uint64_t nTarget = HitKey(effect.object, effect.shape, 0);
    for (std::uint32_t g = m_firstHitGroup[nWeapon]; g != kNone; g = m_hitGroups[g].nNextOfObject) {
        const CHitGroup& group = m_hitGroups[g];
        const std::uint64_t nKey = nTarget | group.nShape;
        const std::uint64_t nRank = (std::uint64_t{g} << 32) | nFromLast;
        if (nKey != m_nLastKey) {
            m_nLastKey = nKey;
            m_nLastHit = m_hitOfKey.FindOrAdd(nKey, static_cast<std::uint32_t>(m_hits.size()));
            if (m_nLastHit == m_hits.size()) {
                m_hits.push_back({nRank, nKey, g, nRecord, group.nReleases});
                continue;
            }
        }
        CHit& hit = m_hits[m_nLastHit];
        hit.nCount += group.nReleases;
        if (nRank < hit.nRank) {
            hit.nRank = nRank;
            hit.nGroup = g;
            hit.nRecord = nRecord;
        }
    }
}

// The hit records, in the order the tally would have made them.
template <typename SlotOf>
void CKillTally<SlotOf>::AddHits()
{
    if (m_hitGroups.empty())
        return;
    std::vector<CHit>& hits = m_hits;
    std::sort(hits.begin(), hits.end(), [](const CHit& a, const CHit& b) { return a.nRank < b.nRank; });

    // The list may already hold records to merge into: the first of a key.
    CKeyIndex existing;
    for (int k = 0; k < m_mission.GetHitCount(); ++k) {
        const CKill& hit = *m_mission.GetHit(k);
        existing.FindOrAdd(HitKey(hit.GetTargetID(), hit.GetTarget(), hit.GetWeapon()), static_cast<std::uint32_t>(k));
    }
    for (const CHit& hit : hits) {
        if (const std::uint32_t k = existing.Find(hit.nKey); k != CKeyIndex::kMissing) {
            CKill& record = *m_mission.GetHit(static_cast<int>(k));
            record.SetNumFired(SaturatingAdd(record.GetNumFired(), hit.nCount));
            continue;
        }
        if (m_mission.GetHitCount() >= kMaxRecordCount)
            continue;
        const CHitGroup& group = m_hitGroups[hit.nGroup];
        CKill* pHit = m_mission.AddHit();
        SetFields(*pHit, m_events[hit.nRecord], group.nShape, group.tsFired,
                  m_debrief.GetRecordTime(hit.nRecord, m_timeCursor));
        pHit->SetNumFired(SaturatingAdd(0, hit.nCount));
    }
}

template <typename SlotOf>
void CKillTally<SlotOf>::AddKills()
{
    for (const CKillToMake& kill : m_kills) {
        const std::uint32_t nRecord = m_children[kill.nIndex];
        const DebriefEvent& release = m_events[nRecord];
        const std::int32_t nRounds = release.byte2 == BYTE2_ROUND ? m_bursts.Next() : 1;
        CKill* pKill = m_mission.AddKill();
        SetFields(*pKill, kill.pEffect->event, release.shape, m_debrief.GetRecordTime(nRecord, m_timeCursor),
                  kill.pEffect->tsTime);
        pKill->SetNumFired(nRounds);
    }
}

template <typename SlotOf>
void CKillTally<SlotOf>::CountMiss(std::uint16_t nShape, std::uint32_t nIndex)
{
    CMisses& misses = m_misses[nShape];
    misses.nFirst = std::min(misses.nFirst, nIndex);
    ++misses.nCount;
}

// The misses merged per weapon shape, each record made where the first miss
// of its shape was met.
template <typename SlotOf>
void CKillTally<SlotOf>::AddMisses()
{
    std::vector<std::uint16_t> shapes;
    for (std::uint16_t nShape = 0; nShape < m_misses.size(); ++nShape)
        if (m_misses[nShape].nCount != 0)
            shapes.push_back(nShape);
    std::sort(shapes.begin(), shapes.end(),
              [&](std::uint16_t a, std::uint16_t b) { return m_misses[a].nFirst < m_misses[b].nFirst; });
    for (const std::uint16_t nShape : shapes) {
        const std::int64_t nCount = m_misses[nShape].nCount;
        if (CKill* pMiss = m_missesByWeapon[nShape]) {
            if (pMiss->GetNumFired() < INT32_MAX)
                pMiss->SetNumFired(SaturatingAdd(pMiss->GetNumFired(), nCount));
            continue;
        }
        if (m_mission.GetMissCount() >= kMaxRecordCount)
            continue;
        CKill* pMiss = m_mission.AddMiss();
        pMiss->SetWeapon(nShape);
        if (nCount > 1)
            pMiss->SetNumFired(SaturatingAdd(pMiss->GetNumFired(), nCount - 1));
    }
}

} // namespace

void TallyKills(const CDebrief& debrief, std::uint16_t nPlayer, CMission& mission)
{
    if (debrief.IdSlots().AreIdentifiers())
        CKillTally(debrief, nPlayer, mission, CSameSlot{}).Run();
    else
        CKillTally(debrief, nPlayer, mission, CLookedUpSlot{&debrief.IdSlots()}).Run();
}
