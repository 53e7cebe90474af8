// TallyKills: kill, hit and miss records from the player's weapon releases.
#include "debrief/kill_tally.h"

#include "debrief/debrief.h"
#include "debrief/kill_filter.h"
#include "debrief/shape_sets.h"
#include "log/kill.h"
#include "log/mission.h"
#include "log/record_key.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kIdCount = 65536;

bool IsRelease(const DebriefEvent& event)
{
    return HasAllFlags(event, EVENT_ENTRY) && IsShapeInSet(WeaponShapes, event.shape);
}

// Work a pass may do. Without repeated object identifiers the tally looks at
// each event a bounded number of times; a file that reuses one identifier for
// a huge number of weapons would make every release see every effect, so the
// pass stops once that much work is spent.
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

// Record numbers grouped by a 16-bit key: the run of key k is
// m_index[m_start[k]] .. m_index[m_start[k + 1] - 1], in the order added.
class CGroups {
public:
    template <typename KeyOf, typename Include>
    void Build(std::size_t nItems, KeyOf keyOf, Include include)
    {
        m_start.assign(kIdCount + 1, 0);
        for (std::size_t i = 0; i < nItems; ++i)
            if (include(i))
                ++m_start[keyOf(i) + 1u];
        for (std::size_t k = 0; k < kIdCount; ++k)
            m_start[k + 1] += m_start[k];
        m_index.resize(m_start[kIdCount]);
        std::vector<std::uint32_t> next(m_start.begin(), m_start.end() - 1);
        for (std::size_t i = 0; i < nItems; ++i)
            if (include(i))
                m_index[next[keyOf(i)]++] = static_cast<std::uint32_t>(i);
    }
    bool IsBuilt() const { return !m_start.empty(); }
    const std::uint32_t* begin(std::uint16_t nKey) const { return m_index.data() + m_start[nKey]; }
    const std::uint32_t* end(std::uint16_t nKey) const { return m_index.data() + m_start[nKey + 1u]; }

private:
    std::vector<std::uint32_t> m_start;
    std::vector<std::uint32_t> m_index;
};

// Rounds of the gun burst that made a kill. Walking back from the killing
// round over the earlier children of the player, a child of the same shape
// that also struck the victim counts when it is not a whole second older than
// the last round counted, and then becomes the last one counted. Among those
// candidates the walk therefore picks, from each counted round, the nearest
// earlier candidate at least as late as it, so the count from each candidate
// is fixed: it is computed once per victim and shape for all candidates.
class CBurstCounter {
public:
    CBurstCounter(const CDebrief& debrief, const DebriefEventList& children, CWorkBudget& budget)
        : m_debrief(debrief), m_children(children), m_budget(budget)
    {
    }

    // Rounds of the burst ending with children[nIndex], which struck nVictim.
    std::int32_t Count(std::size_t nIndex, std::uint16_t nVictim);

private:
    struct CChain {
        std::vector<std::uint32_t> indices; // candidate children, in file order
        std::vector<std::int32_t> rounds;   // rounds counted from each of them
    };
    void BuildGroups();
    void BuildChain(std::uint16_t nVictim, std::uint16_t nShape, CChain& chain);

    const CDebrief& m_debrief;
    const DebriefEventList& m_children;
    CWorkBudget& m_budget;
    CGroups m_childrenByObject; // children by their own object
    CGroups m_strikesByVictim;  // hits, destructions and kills by their victim
    std::vector<std::uint32_t> m_causeSeen;
    std::uint32_t m_nStamp = 0;
    std::unordered_map<std::uint32_t, CChain> m_chains; // by victim and shape
};

void CBurstCounter::BuildGroups()
{
    m_childrenByObject.Build(
        m_children.size(), [&](std::size_t i) { return m_children[i]->object; },
        [](std::size_t) { return true; });
    const std::vector<DebriefEvent>& events = m_debrief.m_pEvents;
    m_strikesByVictim.Build(
        events.size(), [&](std::size_t i) { return events[i].object; },
        [&](std::size_t i) { return HasAnyFlag(events[i], EVENT_STRUCK); });
    m_causeSeen.assign(kIdCount, 0);
    m_budget.Spend(events.size() + m_children.size());
}

void CBurstCounter::BuildChain(std::uint16_t nVictim, std::uint16_t nShape, CChain& chain)
{
    if (!m_childrenByObject.IsBuilt())
        BuildGroups();

    // The children of the same shape whose object struck the victim.
    ++m_nStamp;
    const std::vector<DebriefEvent>& events = m_debrief.m_pEvents;
    for (const std::uint32_t* p = m_strikesByVictim.begin(nVictim); p != m_strikesByVictim.end(nVictim); ++p) {
        const std::uint16_t nCause = events[*p].parent;
        if (m_causeSeen[nCause] == m_nStamp)
            continue;
        m_causeSeen[nCause] = m_nStamp;
        const std::uint32_t* pFirst = m_childrenByObject.begin(nCause);
        const std::uint32_t* pLast = m_childrenByObject.end(nCause);
        if (!m_budget.Spend(1 + static_cast<std::uint64_t>(pLast - pFirst)))
            return;
        for (const std::uint32_t* q = pFirst; q != pLast; ++q)
            if (m_children[*q]->shape == nShape)
                chain.indices.push_back(*q);
    }
    std::sort(chain.indices.begin(), chain.indices.end());

    // From each candidate the walk goes on at the nearest earlier candidate
    // that is at least as late; a stack of candidates with falling times
    // finds it.
    const std::int32_t nWeight = CountRounds(nShape);
    std::vector<std::uint32_t> stack; // positions in chain.indices
    std::vector<std::int32_t> seconds(chain.indices.size());
    chain.rounds.resize(chain.indices.size());
    for (std::size_t p = 0; p < chain.indices.size(); ++p) {
        seconds[p] = m_debrief.GetEventTime(m_children[chain.indices[p]]).GetTotalSeconds();
        while (!stack.empty() && seconds[stack.back()] < seconds[p])
            stack.pop_back();
        // At most two rounds per event of the file: no overflow.
        chain.rounds[p] = nWeight + (stack.empty() ? 0 : chain.rounds[stack.back()]);
        stack.push_back(static_cast<std::uint32_t>(p));
    }
}

std::int32_t CBurstCounter::Count(std::size_t nIndex, std::uint16_t nVictim)
{
    const std::uint16_t nShape = m_children[nIndex]->shape;
    const std::uint32_t nKey = (static_cast<std::uint32_t>(nVictim) << 16) | nShape;
    auto it = m_chains.find(nKey);
    if (it == m_chains.end()) {
        it = m_chains.emplace(nKey, CChain{}).first;
        BuildChain(nVictim, nShape, it->second);
    }
    const CChain& chain = it->second;
    const auto pos = std::lower_bound(chain.indices.begin(), chain.indices.end(), nIndex);
    if (pos == chain.indices.end() || *pos != nIndex)
        return CountRounds(nShape); // only when the work budget ran out
    return chain.rounds[static_cast<std::size_t>(pos - chain.indices.begin())];
}

class CKillTally {
public:
    CKillTally(const CDebrief& debrief, std::uint16_t nPlayer, CMission& mission)
        : m_debrief(debrief), m_nPlayer(nPlayer), m_mission(mission), m_budget(debrief.m_pEvents.size()),
          m_bursts(debrief, m_children, m_budget)
    {
    }
    void Run();

private:
    static std::uint64_t HitKey(std::uint16_t nTargetID, std::uint16_t nTarget, std::uint16_t nWeapon)
    {
        return (static_cast<std::uint64_t>(nTargetID) << 32) | (static_cast<std::uint64_t>(nTarget) << 16) |
               nWeapon;
    }
    void TallyRelease(std::size_t nIndex);
    void AddKill(std::size_t nIndex, const DebriefEvent& effect, CTimeSpan tsFired);
    void AddHit(const DebriefEvent& release, const DebriefEvent& effect, CTimeSpan tsFired);
    void AddMiss(const DebriefEvent& release);

    const CDebrief& m_debrief;
    std::uint16_t m_nPlayer;
    CMission& m_mission;
    CWorkBudget m_budget;
    DebriefEventList m_children;
    DebriefEventList m_effects;
    CBurstCounter m_bursts;
    // The records to merge into, as FindHit and FindMiss would find them.
    std::unordered_map<std::uint64_t, CKill*> m_hitsByKey;
    std::unordered_map<std::uint16_t, CKill*> m_missesByWeapon;
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

void CKillTally::Run()
{
    // The lists may already hold records to merge into.
    for (int k = m_mission.GetHitCount() - 1; k >= 0; --k) {
        CKill* pHit = m_mission.GetHit(k);
        m_hitsByKey[HitKey(pHit->GetTargetID(), pHit->GetTarget(), pHit->GetWeapon())] = pHit;
    }
    for (int k = m_mission.GetMissCount() - 1; k >= 0; --k) {
        CKill* pMiss = m_mission.GetMiss(k);
        if (pMiss->GetTargetID() == kNoObject && pMiss->GetTarget() == 0)
            m_missesByWeapon[pMiss->GetWeapon()] = pMiss;
    }

    m_debrief.GetChildEvents(m_nPlayer, m_children);
    AcceptKill(m_debrief, nullptr);
    for (std::size_t i = 0; i < m_children.size() && !m_budget.IsSpent(); ++i)
        if (IsRelease(*m_children[i]))
            TallyRelease(i);
}

void CKillTally::TallyRelease(std::size_t nIndex)
{
    const DebriefEvent& release = *m_children[nIndex];
    const CTimeSpan tsFired = m_debrief.GetEventTime(&release);
    m_debrief.GetChildEvents(release.object, m_effects);
    if (!m_budget.Spend(1 + m_effects.size()))
        return;

    bool bOutcome = false;
    for (auto it = m_effects.rbegin(); it != m_effects.rend(); ++it) {
        const DebriefEvent& effect = **it;
        if (HasAnyFlag(effect, EVENT_DESTROYED)) {
            if (!AcceptKill(m_debrief, &effect))
                continue;
            AddKill(nIndex, effect, tsFired);
            bOutcome = true;
        } else if (HasAnyFlag(effect, EVENT_HIT)) {
            AddHit(release, effect, tsFired);
            bOutcome = true;
        }
    }
    if (!bOutcome)
        AddMiss(release);
}

void CKillTally::AddKill(std::size_t nIndex, const DebriefEvent& effect, CTimeSpan tsFired)
{
    // A longer list would make the log unreadable.
    if (m_mission.GetKillCount() >= kMaxRecordCount)
        return;
    const DebriefEvent& release = *m_children[nIndex];
    std::int32_t nRounds = 1;
    if (release.byte2 == BYTE2_ROUND)
        nRounds = m_bursts.Count(nIndex, effect.object);
    CKill* pKill = m_mission.AddKill();
    SetFields(*pKill, effect, release.shape, tsFired, m_debrief.GetEventTime(&effect));
    pKill->SetNumFired(nRounds);
}

void CKillTally::AddHit(const DebriefEvent& release, const DebriefEvent& effect, CTimeSpan tsFired)
{
    const std::uint64_t nKey = HitKey(effect.object, effect.shape, release.shape);
    if (auto it = m_hitsByKey.find(nKey); it != m_hitsByKey.end()) {
        CKill& hit = *it->second;
        if (hit.GetNumFired() < INT32_MAX)
            hit.SetNumFired(hit.GetNumFired() + 1);
        return;
    }
    if (m_mission.GetHitCount() >= kMaxRecordCount)
        return;
    CKill* pHit = m_mission.AddHit();
    SetFields(*pHit, effect, release.shape, tsFired, m_debrief.GetEventTime(&effect));
    m_hitsByKey.emplace(nKey, pHit);
}

void CKillTally::AddMiss(const DebriefEvent& release)
{
    if (auto it = m_missesByWeapon.find(release.shape); it != m_missesByWeapon.end()) {
        CKill& miss = *it->second;
        if (miss.GetNumFired() < INT32_MAX)
            miss.SetNumFired(miss.GetNumFired() + 1);
        return;
    }
    if (m_mission.GetMissCount() >= kMaxRecordCount)
        return;
    CKill* pMiss = m_mission.AddMiss();
    pMiss->SetWeapon(release.shape);
    m_missesByWeapon.emplace(release.shape, pMiss);
}

} // namespace

void TallyKills(const CDebrief& debrief, std::uint16_t nPlayer, CMission& mission)
{
    CKillTally(debrief, nPlayer, mission).Run();
}
