// The analysis of a debrief of a million events: the kill tally and the
// event notes over long gun bursts, with object identifiers reused as the
// simulator must in so long a flight.
#include "debrief/debrief.h"
#include "debrief/event_notes.h"
#include "debrief/kill_tally.h"
#include "debrief/log_debrief.h"
#include "log/app_settings.h"
#include "log/career.h"
#include "log/log_doc.h"
#include "log/mission.h"
#include "tests/support/debrief_builder.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr std::uint16_t kPlayer = 1;
constexpr std::uint32_t kBursts = 25000; // 40 events each
constexpr std::uint32_t kRoundsPerBurst = 20;

// Bursts of 20 rounds within one second, 19 hits and a kill on one target;
// every fifth burst a missile instead. bFlat gives every record the same
// time, the worst case for following bursts back.
void WriteMillionEventFlight(bool bFlat, const std::string& strPath)
{
    CDebriefBuilder builder;
    builder.SetTitle("Benchmark").AddPlayer(kPlayer);
    std::uint32_t nWeapon = 0;
    for (std::uint32_t nBurst = 0; nBurst < kBursts; ++nBurst) {
        const std::uint32_t nStart = bFlat ? 16 : 16 * (10 + 3 * nBurst);
        const auto nTarget = static_cast<std::uint16_t>(60100 + nBurst % 4900);
        const std::uint16_t nShape = nBurst % 2 == 0 ? 87 : 91;
        for (std::uint32_t i = 0; i < kRoundsPerBurst; ++i) {
            const auto nId = static_cast<std::uint16_t>(100 + nWeapon++ % 60000);
            const DebriefTime time = Sixteenths(nStart + (bFlat ? 0 : i * 15 / kRoundsPerBurst));
            if (nBurst % 5 == 4) {
                builder.AddRelease(time, kPlayer, nId, 63);
                builder.AddHit(time, nTarget, 18, nId, 3, EVENT_AIR);
            } else {
                builder.AddRelease(time, kPlayer, nId, nShape, BYTE2_ROUND);
                if (i + 1 < kRoundsPerBurst)
                    builder.AddHit(time, nTarget, 18, nId, 3, EVENT_AIR);
                else
                    builder.AddKill(time, nTarget, 18, nId, 3, EVENT_AIR);
            }
        }
    }
    builder.Write(strPath);
}

const std::string& FlightFile(bool bFlat)
{
    static CTempDebrief timed("timed.stt"), flat("flat.stt");
    static const bool bWritten = [] {
        WriteMillionEventFlight(false, timed.GetPath());
        WriteMillionEventFlight(true, flat.GetPath());
        return true;
    }();
    (void)bWritten;
    return bFlat ? flat.GetPath() : timed.GetPath();
}

const CDebrief& Flight(bool bFlat)
{
    static const auto load = [](bool b) {
        auto pDebrief = std::make_unique<CDebrief>();
        pDebrief->Open(FlightFile(b));
        return pDebrief;
    };
    static const std::unique_ptr<CDebrief> pTimed = load(false);
    static const std::unique_ptr<CDebrief> pFlat = load(true);
    return bFlat ? *pFlat : *pTimed;
}

void BM_TallyKills(benchmark::State& state)
{
    const CDebrief& debrief = Flight(state.range(0) != 0);
    CAppSettings settings;
    settings.m_bIgnoreGndKills = 1;
    for (auto _ : state) {
        CMission mission;
        TallyKills(debrief, kPlayer, mission);
        benchmark::DoNotOptimize(mission.GetKillCount());
    }
    state.counters["events"] = static_cast<double>(debrief.m_nEvents);
}
BENCHMARK(BM_TallyKills)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_EventNotes(benchmark::State& state)
{
    const CDebrief& debrief = Flight(state.range(0) != 0);
    CAppSettings settings;
    settings.m_bIgnoreGndKills = 1;
    for (auto _ : state) {
        std::string strNotes;
        AppendEventNotes(debrief, kPlayer, strNotes);
        benchmark::DoNotOptimize(strNotes.data());
    }
}
BENCHMARK(BM_EventNotes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole road: loading the file, the mission, the tally and the notes.
void BM_LogDebrief(benchmark::State& state)
{
    const std::string& strPath = FlightFile(state.range(0) != 0);
    CAppSettings settings;
    settings.m_bLogEvents = 1;
    CLogDoc doc;
    SetCurrentLogDoc(&doc);
    CCareer& career = *doc.GetPilot()->GetCareer(kLastCareer);
    for (auto _ : state) {
        benchmark::DoNotOptimize(LogDebrief(strPath, 1));
        career.RemoveMission(0); // so that the next run asks nothing
    }
    SetCurrentLogDoc(nullptr);
}
BENCHMARK(BM_LogDebrief)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
