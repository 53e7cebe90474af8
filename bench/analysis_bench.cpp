// The analysis of long flights: the whole LogDebrief (loading, the mission,
// the kill tally and the event notes) and the tally and the notes alone.
#include "bench/bench_benchmarks.h"
#include "bench/bench_inputs.h"
#include "bench/bench_plan.h"
#include "debrief/debrief.h"
#include "debrief/event_notes.h"
#include "debrief/kill_tally.h"
#include "debrief/log_debrief.h"
#include "log/app_settings.h"
#include "log/career.h"
#include "log/log_doc.h"
#include "log/mission.h"
#include "log/pilot.h"

#include <memory>

namespace {

constexpr std::uint16_t kPlayer = 1;

// The program's preferences as a first run leaves them, with the Mission
// Details dialog off as under /HIDE.
void UseProgramDefaults(CAppSettings& settings)
{
    settings.m_bLogEvents = 1;
    settings.m_bIgnoreGndKills = 1;
    settings.m_bRejectUnkKills = 0;
    settings.m_bShowMission = 0;
    settings.m_tsEjectionMin = CTimeSpan(3);
}

void LogFlight(benchmark::State& state, const std::string& strPath)
{
    CAppSettings settings;
    UseProgramDefaults(settings);
    CLogDoc doc;
    SetCurrentLogDoc(&doc);
    CCareer& career = *doc.GetPilot()->GetCareer(kLastCareer);
    for (auto _ : state) {
        if (LogDebrief(strPath, 1) != 1)
            state.SkipWithError("the flight was not logged");
        // So that the next run asks nothing; dropping it is not part of it.
        state.PauseTiming();
        career.TakeMission(0).reset();
        state.ResumeTiming();
    }
    SetCurrentLogDoc(nullptr);
}

void TallyFlight(benchmark::State& state, const CDebrief& debrief)
{
    CAppSettings settings;
    UseProgramDefaults(settings);
    for (auto _ : state) {
        auto pMission = std::make_unique<CMission>();
        TallyKills(debrief, kPlayer, *pMission);
        benchmark::DoNotOptimize(pMission->GetKillCount());
        state.PauseTiming();
        pMission.reset();
        state.ResumeTiming();
    }
}

void NoteFlight(benchmark::State& state, const CDebrief& debrief)
{
    CAppSettings settings;
    UseProgramDefaults(settings);
    for (auto _ : state) {
        std::string strNotes;
        AppendEventNotes(debrief, kPlayer, strNotes);
        benchmark::DoNotOptimize(strNotes.data());
    }
}

} // namespace

void RegisterAnalysisBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs)
{
    const std::pair<const char*, std::string> files[] = {
        {"500k", inputs.strHalfFlight}, {"1M", inputs.strFlight}, {"1M-flat", inputs.strFlatFlight}};
    for (const auto& [pszSize, strPath] : files)
        // Real time: the tally runs on a thread of its own.
        plan.Add(std::string("analysis/log-debrief/") + pszSize, std::string("debrief/read/") + pszSize,
                 [strPath](benchmark::State& state) { LogFlight(state, strPath); })
            ->UseRealTime();

    for (const auto& [pszSize, strPath] : files) {
        if (std::string(pszSize) == "500k")
            continue;
        auto pDebrief = std::make_shared<std::unique_ptr<CDebrief>>();
        const auto loaded = [pDebrief, strPath]() -> const CDebrief& {
            if (!*pDebrief) {
                *pDebrief = std::make_unique<CDebrief>();
                (*pDebrief)->Open(strPath);
            }
            return **pDebrief;
        };
        const std::string strRead = std::string("debrief/read/") + pszSize;
        plan.Add(std::string("analysis/tally/") + pszSize, strRead,
                 [loaded](benchmark::State& state) { TallyFlight(state, loaded()); });
        plan.Add(std::string("analysis/notes/") + pszSize, strRead,
                 [loaded](benchmark::State& state) { NoteFlight(state, loaded()); });
    }
}
