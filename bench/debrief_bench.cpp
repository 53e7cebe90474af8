// Loading a debrief of a million events and asking the analysis' queries of
// every object in it.
#include "debrief/debrief.h"
#include "tests/support/debrief_builder.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr std::uint32_t kEvents = 1000000;
constexpr std::uint16_t kObjects = 20000;

// Written once per run: aircraft releasing weapons that hit and kill things,
// a third of the records without a time of their own.
const std::string& MillionEventDebrief()
{
    static CTempDebrief file("million.stt");
    static const bool bWritten = [] {
        std::mt19937 random(7);
        CDebriefBuilder builder;
        builder.SetTitle("Benchmark").AddPlayer(1);
        for (std::uint32_t i = 1; i < kEvents; ++i) {
            const std::uint32_t nTime = random() % 3 == 0 ? 0 : i * 4;
            const auto nObject = static_cast<std::uint16_t>(1 + random() % kObjects);
            const auto nOther = static_cast<std::uint16_t>(1 + random() % kObjects);
            switch (random() % 4) {
            case 0: builder.AddRelease(Sixteenths(nTime), nOther, nObject, 63); break;
            case 1: builder.AddHit(Sixteenths(nTime), nObject, 70, nOther, 2); break;
            case 2: builder.AddKill(Sixteenths(nTime), nObject, 18, nOther, 3, EVENT_AIR); break;
            default: builder.AddObject(Sixteenths(nTime), nObject, 70); break;
            }
        }
        builder.Write(file.GetPath());
        return true;
    }();
    (void)bWritten;
    return file.GetPath();
}

const CDebrief& LoadedDebrief()
{
    static const CDebrief* pDebrief = [] {
        auto* p = new CDebrief;
        p->Open(MillionEventDebrief());
        return p;
    }();
    return *pDebrief;
}

void BM_Open(benchmark::State& state)
{
    const std::string& strPath = MillionEventDebrief();
    for (auto _ : state) {
        CDebrief debrief;
        benchmark::DoNotOptimize(debrief.Open(strPath));
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_EventsOfEveryObject(benchmark::State& state)
{
    const CDebrief& debrief = LoadedDebrief();
    DebriefEventList list;
    for (auto _ : state)
        for (std::uint16_t nId = 1; nId <= kObjects; ++nId) {
            debrief.GetObjectEvents(nId, list);
            debrief.GetChildEvents(nId, list);
            benchmark::DoNotOptimize(list.data());
        }
}
BENCHMARK(BM_EventsOfEveryObject)->Unit(benchmark::kMillisecond);

void BM_EventTimeOfEveryEvent(benchmark::State& state)
{
    const CDebrief& debrief = LoadedDebrief();
    for (auto _ : state)
        for (const DebriefEvent& event : debrief.m_pEvents)
            benchmark::DoNotOptimize(debrief.GetEventTime(&event));
}
BENCHMARK(BM_EventTimeOfEveryEvent)->Unit(benchmark::kMillisecond);

void BM_StrikesOfEveryChild(benchmark::State& state)
{
    // As the kill tally asks: for every child of an object, what it struck.
    const CDebrief& debrief = LoadedDebrief();
    DebriefEventList children;
    for (auto _ : state)
        for (std::uint16_t nId = 1; nId <= kObjects; nId = static_cast<std::uint16_t>(nId + 97)) {
            debrief.GetChildEvents(nId, children);
            for (const DebriefEvent* pChild : children) {
                const std::uint16_t nVictim = debrief.GetFirstVictim(pChild->object);
                benchmark::DoNotOptimize(debrief.HasStruck(pChild->object, nVictim));
            }
        }
}
BENCHMARK(BM_StrikesOfEveryChild)->Unit(benchmark::kMillisecond);

} // namespace
