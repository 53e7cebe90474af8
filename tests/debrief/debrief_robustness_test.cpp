// Random journals checked against plain scans of the events, and random or
// cut-up bytes that must load without harm.
#include "debrief/debrief.h"
#include "tests/support/debrief_builder.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <thread>

namespace {

// The answers of the queries by walking the whole journal.
struct ScanAnswers {
    const std::vector<DebriefEvent>& events;
    std::uint32_t nBase;

    DebriefEventList Objects(std::uint16_t nId) const
    {
        DebriefEventList list;
        for (const DebriefEvent& e : events)
            if (nId != 0 && (nId == kNoObject || e.object == nId))
                list.push_back(&e);
        return list;
    }
    DebriefEventList Children(std::uint16_t nId) const
    {
        DebriefEventList list;
        for (const DebriefEvent& e : events)
            if (e.parent == nId && e.object != nId)
                list.push_back(&e);
        return list;
    }
    bool Struck(std::uint16_t nCause, std::uint16_t nVictim) const
    {
        for (const DebriefEvent& e : events)
            if (e.object == nVictim && e.parent == nCause && HasAnyFlag(e, EVENT_STRUCK))
                return true;
        return false;
    }
    std::uint16_t FirstVictim(std::uint16_t nCause) const
    {
        for (const DebriefEvent& e : events)
            if (e.parent == nCause && HasAnyFlag(e, EVENT_STRUCK))
                return e.object;
        return kNoObject;
    }
    std::int32_t Seconds(std::size_t i) const
    {
        if (events[i].time != 0)
            return static_cast<std::int32_t>(events[i].time / 16);
        std::uint32_t nBefore = nBase;
        for (std::size_t k = i; k-- > 0;)
            if (events[k].time != 0) {
                nBefore = events[k].time;
                break;
            }
        std::uint32_t nAfter = nBefore;
        for (std::size_t k = i + 1; k < events.size(); ++k)
            if (events[k].time != 0) {
                nAfter = events[k].time;
                break;
            }
        const std::uint32_t nTime = nBefore == nAfter ? nBefore : nBefore / 2 + nAfter / 2;
        return static_cast<std::int32_t>(nTime / 16);
    }
};

} // namespace

TEST(DebriefRobustness, QueriesAgreeWithPlainScans)
{
    std::mt19937 random(1234);
    const std::vector<std::uint16_t> ids = {0, 1, 2, 3, 4, 5, 65534, kNoObject};
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    CTempDebrief file;
    for (int nRound = 0; nRound < 60; ++nRound) {
        CDebriefBuilder builder;
        const std::uint32_t nBase = pick(3) == 0 ? 0 : static_cast<std::uint32_t>(random());
        builder.SetBaseTime(Sixteenths(nBase));
        // Some journals long enough to be indexed by every identifier.
        const std::size_t nEvents = nRound % 20 == 0 ? 4096 + pick(40) : pick(40);
        for (std::size_t i = 0; i < nEvents; ++i) {
            DebriefEvent e;
            e.time = pick(2) == 0 ? 0 : static_cast<std::uint32_t>(random());
            e.status = static_cast<std::uint16_t>(random());
            e.country = static_cast<std::uint8_t>(pick(6));
            e.shape = static_cast<std::uint16_t>(pick(400));
            e.object = ids[pick(ids.size())];
            e.parent = pick(3) == 0 ? e.object : ids[pick(ids.size())];
            builder.Add(e);
        }
        builder.Write(file.GetPath());
        CDebrief debrief;
        ASSERT_EQ(debrief.Open(file.GetPath()), nEvents > 0);
        ASSERT_EQ(debrief.m_pEvents, builder.Events());
        const ScanAnswers scan{debrief.m_pEvents, nBase};

        for (std::size_t i = 0; i < nEvents; ++i)
            ASSERT_EQ(debrief.GetEventTime(&debrief.m_pEvents[i]).GetTotalSeconds(), scan.Seconds(i)) << i;
        // Through one cursor: in file order, then some at random.
        CDebrief::CTimeCursor cursor;
        for (std::size_t k = 0; k < nEvents + nEvents / 4; ++k) {
            const std::size_t i = k < nEvents ? k : pick(nEvents);
            ASSERT_EQ(debrief.GetRecordTime(static_cast<std::uint32_t>(i), cursor).GetTotalSeconds(), scan.Seconds(i))
                << i;
        }

        const auto askAll = [&] {
            DebriefEventList list;
            for (std::uint16_t nId : ids) {
                debrief.GetObjectEvents(nId, list);
                ASSERT_EQ(list, scan.Objects(nId)) << nId;
                debrief.GetChildEvents(nId, list);
                ASSERT_EQ(list, scan.Children(nId)) << nId;
                const DebriefEventList own = scan.Objects(nId);
                ASSERT_EQ(debrief.GetObjectSide(nId), own.empty() ? 0 : own.front()->country) << nId;
                ASSERT_EQ(debrief.GetFirstVictim(nId), scan.FirstVictim(nId)) << nId;
                for (std::uint16_t nVictim : ids)
                    ASSERT_EQ(debrief.HasStruck(nId, nVictim), scan.Struck(nId, nVictim)) << nId << " " << nVictim;
            }
        };
        // The long journals are asked from two threads at once, one of which
        // builds the index by object on the way.
        std::optional<std::thread> other;
        if (nEvents >= 4096)
            other.emplace(askAll);
        askAll();
        if (other)
            other->join();
    }
}

TEST(DebriefRobustness, AnyBytesLoadSafely)
{
    std::mt19937 random(99);
    CTempDebrief file;
    CDebriefBuilder builder;
    builder.SetTitle("Patrol").AddPlayer(3);
    builder.AddRelease(Seconds(20), 3, 9, 63);
    builder.AddKill(Seconds(21), 4, 18, 9, 3, EVENT_AIR);
    const std::vector<std::uint8_t> valid = builder.Bytes();

    std::vector<std::vector<std::uint8_t>> inputs;
    for (std::size_t n = 0; n <= valid.size(); ++n) // every cut of a valid file
        inputs.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(n));
    for (int i = 0; i < 200; ++i) { // random bytes, and a valid file with random damage
        std::vector<std::uint8_t> bytes(std::uniform_int_distribution<std::size_t>(0, 300)(random));
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random());
        inputs.push_back(bytes);
        bytes = valid;
        bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        bytes[45 + random() % 2] = static_cast<std::uint8_t>(random());
        inputs.push_back(bytes);
    }
    for (const auto& bytes : inputs) {
        WriteBytes(file.GetPath(), bytes);
        CDebrief debrief;
        const bool bLoaded = debrief.Open(file.GetPath());
        ASSERT_EQ(bLoaded, debrief.m_nEvents > 0);
        ASSERT_EQ(debrief.m_nEvents, debrief.m_pEvents.size());
        const std::size_t nTitle = bytes.size() >= 47 ? (bytes[45] | (bytes[46] << 8)) : 0;
        const std::size_t nStart = 53 + nTitle;
        ASSERT_EQ(debrief.m_nEvents, bytes.size() > nStart ? (bytes.size() - nStart) / 16 : 0);
        ASSERT_LE(debrief.GetTitle().size(), nTitle);
        DebriefEventList list;
        const std::uint16_t nPlayer = debrief.FindPlayer();
        debrief.GetObjectEvents(nPlayer, list);
        debrief.GetChildEvents(nPlayer, list);
        for (const DebriefEvent* pEvent : list) {
            debrief.GetEventTime(pEvent);
            debrief.HasStruck(pEvent->object, pEvent->parent);
            debrief.GetFirstVictim(pEvent->object);
        }
        debrief.GetObjectSide(nPlayer);
    }
}
