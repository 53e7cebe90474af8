// Opening debriefs of half a million and a million events against reading
// their bytes, and the analysis' queries asked of every object of a million
// random events.
#include "bench/bench_benchmarks.h"
#include "bench/bench_inputs.h"
#include "bench/bench_plan.h"
#include "debrief/debrief.h"

#include <memory>

namespace {

constexpr std::uint16_t kRandomObjects = 20000;

void ReadFile(benchmark::State& state, const std::string& strPath)
{
    for (auto _ : state) {
        const std::string bytes = ReadWholeFile(strPath);
        if (bytes.empty())
            state.SkipWithError("cannot read the debrief");
        benchmark::DoNotOptimize(bytes.data());
    }
}

void Open(benchmark::State& state, const std::string& strPath)
{
    for (auto _ : state) {
        CDebrief debrief;
        if (!debrief.Open(strPath))
            state.SkipWithError("cannot open the debrief");
        benchmark::DoNotOptimize(debrief.m_nEvents);
    }
}

// The queries, each over every object of the random debrief.
void EventsOfEveryObject(benchmark::State& state, const CDebrief& debrief)
{
    DebriefEventList list;
    for (auto _ : state)
        for (std::uint16_t nId = 1; nId <= kRandomObjects; ++nId) {
            debrief.GetObjectEvents(nId, list);
            debrief.GetChildEvents(nId, list);
            benchmark::DoNotOptimize(list.data());
        }
}

void EventTimeOfEveryEvent(benchmark::State& state, const CDebrief& debrief)
{
    for (auto _ : state)
        for (const DebriefEvent& event : debrief.m_pEvents)
            benchmark::DoNotOptimize(debrief.GetEventTime(&event));
}

void StrikesOfEveryChild(benchmark::State& state, const CDebrief& debrief)
{
    // As the kill tally asks: for every child of an object, what it struck.
    DebriefEventList children;
    for (auto _ : state)
        for (std::uint16_t nId = 1; nId <= kRandomObjects; nId = static_cast<std::uint16_t>(nId + 97)) {
            debrief.GetChildEvents(nId, children);
            for (const DebriefEvent* pChild : children) {
                const std::uint16_t nVictim = debrief.GetFirstVictim(pChild->object);
                benchmark::DoNotOptimize(debrief.HasStruck(pChild->object, nVictim));
            }
        }
}

} // namespace

void RegisterDebriefBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs)
{
    const std::pair<const char*, std::string> files[] = {
        {"500k", inputs.strHalfFlight}, {"1M", inputs.strFlight}, {"1M-flat", inputs.strFlatFlight}};
    for (const auto& [pszSize, strPath] : files) {
        const std::string strRead = std::string("debrief/read/") + pszSize;
        // Real time, as the whole analysis they are held against.
        plan.Add(strRead, {}, [strPath](benchmark::State& state) { ReadFile(state, strPath); })->UseRealTime();
        plan.Add(std::string("debrief/open/") + pszSize, strRead,
                 [strPath](benchmark::State& state) { Open(state, strPath); })
            ->UseRealTime();
    }

    const std::string strPath = inputs.strRandomDebrief;
    const std::string strRead = "debrief/read/random";
    plan.Add(strRead, {}, [strPath](benchmark::State& state) { ReadFile(state, strPath); });
    plan.Add("debrief/open/random", strRead, [strPath](benchmark::State& state) { Open(state, strPath); });
    // Loaded when the first query runs, kept for the others.
    auto pDebrief = std::make_shared<std::unique_ptr<CDebrief>>();
    const auto loaded = [pDebrief, strPath]() -> const CDebrief& {
        if (!*pDebrief) {
            *pDebrief = std::make_unique<CDebrief>();
            (*pDebrief)->Open(strPath);
        }
        return **pDebrief;
    };
    plan.Add("debrief/query/object-events", strRead,
             [loaded](benchmark::State& state) { EventsOfEveryObject(state, loaded()); });
    plan.Add("debrief/query/event-times", strRead,
             [loaded](benchmark::State& state) { EventTimeOfEveryEvent(state, loaded()); });
    plan.Add("debrief/query/strikes", strRead,
             [loaded](benchmark::State& state) { StrikesOfEveryChild(state, loaded()); });
}
