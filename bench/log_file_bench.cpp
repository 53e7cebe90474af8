// Loading and saving a large pilot log: 50 careers of 200 missions with 10
// kill records each.
#include "log/log_file.h"
#include "log/pilot.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

void FillLargeLog(CPilot& pilot)
{
    pilot.SetName("A. Pilot");
    pilot.SetCallsign("Viper");
    for (int c = 0; c < 50; ++c) {
        CCareer* pCareer = c == 0 ? pilot.GetCareer(0) : pilot.AddCareer();
        for (int m = 0; m < 200; ++m) {
            CMission* pMission = pCareer->AddMission();
            pMission->SetTitle("Sweep " + std::to_string(m));
            pMission->SetComments("Takeoff\r\nFence in\r\nRTB");
            pMission->SetDuration(2530);
            pMission->SetResult(m % 3);
            for (int k = 0; k < 10; ++k) {
                CKill* pKill = pMission->AddKill();
                pKill->SetFired(1200 + k);
                pKill->SetTarget(static_cast<std::uint16_t>(18 + k));
                pKill->SetWeapon(60);
                pKill->SetTargetID(static_cast<std::uint16_t>(k));
            }
        }
    }
}

std::string BenchFileName()
{
    return "/tmp/sortavel-log-bench-" + std::to_string(getpid()) + ".log";
}

void BM_SaveLargeLog(benchmark::State& state)
{
    CPilot pilot;
    FillLargeLog(pilot);
    const std::string path = BenchFileName();
    for (auto _ : state) {
        CLogFile file(path);
        pilot.Save(file);
        if (!file.Close())
            state.SkipWithError("save failed");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveLargeLog)->Unit(benchmark::kMillisecond);

void BM_LoadLargeLog(benchmark::State& state)
{
    const std::string path = BenchFileName();
    {
        CPilot pilot;
        FillLargeLog(pilot);
        CLogFile file(path);
        pilot.Save(file);
    }
    for (auto _ : state) {
        CPilot pilot;
        CLogFile file(path);
        if (!pilot.Load(file))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(pilot.GetCareerCount());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadLargeLog)->Unit(benchmark::kMillisecond);

// The same log with its sections in reverse order: every search has to go
// round the file.
void BM_LoadReversedLog(benchmark::State& state)
{
    const std::string path = BenchFileName();
    {
        CPilot pilot;
        FillLargeLog(pilot);
        CLogFile file(path);
        pilot.Save(file);
    }
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> sections;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t next = text.find("\r\n[", start);
        next = next == std::string::npos ? text.size() : next + 2;
        sections.push_back(text.substr(start, next - start));
        start = next;
    }
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (auto it = sections.rbegin(); it != sections.rend(); ++it)
            out << *it;
    }
    for (auto _ : state) {
        CPilot pilot;
        CLogFile file(path);
        if (!pilot.Load(file) || pilot.GetCareerCount() != 50)
            state.SkipWithError("load failed");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadReversedLog)->Unit(benchmark::kMillisecond);

} // namespace
