// Loading and saving large pilot logs against reading and splitting their
// lines, and writing their bytes with a sync.
#include "bench/bench_benchmarks.h"
#include "bench/bench_inputs.h"
#include "bench/bench_plan.h"
#include "log/log_file.h"
#include "log/pilot.h"

#include <cstdio>
#include <vector>

namespace {

void ReadLines(benchmark::State& state, const std::string& strPath)
{
    std::vector<std::string_view> lines;
    for (auto _ : state) {
        const std::string text = ReadWholeFile(strPath);
        SplitLines(text, lines);
        if (lines.empty())
            state.SkipWithError("cannot read the log");
        benchmark::DoNotOptimize(lines.data());
    }
}

void Load(benchmark::State& state, const std::string& strPath, int nCareers)
{
    for (auto _ : state) {
        auto pPilot = std::make_unique<CPilot>();
        CLogFile file(strPath);
        if (!pPilot->Load(file) || !file.Close() || pPilot->GetCareerCount() != nCareers)
            state.SkipWithError("load failed");
        // Dropping the records is not part of loading them.
        state.PauseTiming();
        pPilot.reset();
        state.ResumeTiming();
    }
}

void Write(benchmark::State& state, const std::string& strFrom, const std::string& strTo)
{
    const std::string bytes = ReadWholeFile(strFrom);
    for (auto _ : state)
        if (!WriteAndSync(strTo, bytes))
            state.SkipWithError("cannot write");
    std::remove(strTo.c_str());
}

void Save(benchmark::State& state, const std::string& strFrom, const std::string& strTo)
{
    // The records of the input file, which saving writes out again as they
    // were.
    CPilot pilot;
    {
        CLogFile file(strFrom);
        pilot.Load(file);
    }
    for (auto _ : state) {
        CLogFile file(strTo);
        pilot.Save(file);
        if (!file.Close())
            state.SkipWithError("save failed");
    }
    std::remove(strTo.c_str());
}

} // namespace

void RegisterLogFileBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs)
{
    struct CFile {
        const char* pszName;
        std::string strPath;
        int nCareers;
    };
    const CFile files[] = {
        {"50", inputs.strLog, kLogCareers},
        {"100", inputs.strDoubleLog, kDoubleLogCareers},
        {"50-reversed", inputs.strReversedLog, kLogCareers},
        {"100-reversed", inputs.strDoubleReversedLog, kDoubleLogCareers},
        {"50-missing", inputs.strMissingLog, kLogCareers},
        {"100-missing", inputs.strDoubleMissingLog, kDoubleLogCareers},
    };
    for (const CFile& file : files) {
        const std::string strRead = std::string("log/read/") + file.pszName;
        const std::string strPath = file.strPath;
        const int nCareers = file.nCareers;
        plan.Add(strRead, {}, [strPath](benchmark::State& state) { ReadLines(state, strPath); });
        plan.Add(std::string("log/load/") + file.pszName, strRead,
                 [strPath, nCareers](benchmark::State& state) { Load(state, strPath, nCareers); });
    }
    for (const CFile& file : {files[0], files[1]}) {
        const std::string strWrite = std::string("log/write/") + file.pszName;
        const std::string strFrom = file.strPath;
        const std::string strWritten = inputs.strScratch + "/written-" + file.pszName + ".log";
        const std::string strSaved = inputs.strScratch + "/saved-" + file.pszName + ".log";
        plan.Add(strWrite, {}, [strFrom, strWritten](benchmark::State& state) { Write(state, strFrom, strWritten); })
            ->UseRealTime();
        plan.Add(std::string("log/save/") + file.pszName, strWrite,
                 [strFrom, strSaved](benchmark::State& state) { Save(state, strFrom, strSaved); })
            ->UseRealTime();
    }
}
