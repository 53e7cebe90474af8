// The benchmark run: writes the inputs, runs every benchmark several times
// in random order, then prints each one's ratio to its baseline and the
// goals, and with --readme=FILE rewrites the figures in that file.
//
//   sortavel_bench [--readme=FILE] [--benchmark_...]
//   sortavel_bench --write-inputs=DIR    (only writes the input files)
//   sortavel_bench --inputs=DIR [...]    (uses the files written there)
#include "bench/bench_benchmarks.h"
#include "bench/bench_inputs.h"
#include "bench/bench_plan.h"

#include <malloc.h>

#include <climits>
#include <ctime>
#include <fstream>
#include <iostream>
#include <optional>
#include <thread>

namespace {

constexpr const char* kBlockBegin = "<!-- bench figures: written by make bench -->";
constexpr const char* kBlockEnd = "<!-- end of bench figures -->";
constexpr int kDefaultRepetitions = 7;

// The goals, and (limit 0) figures that put them in context.
void AddGoals(CBenchPlan& plan)
{
    plan.AddTimeGoal("`LogDebrief`, 1,000,000 events, notes on ÷ opening that debrief", "analysis/log-debrief/1M",
                     "debrief/open/1M", 3);
    plan.AddTimeGoal("`LogDebrief`, 1,000,000 events at one time ÷ opening that debrief",
                     "analysis/log-debrief/1M-flat", "debrief/open/1M-flat", 3);
    plan.AddTimeGoal("`LogDebrief`, 1,000,000 events ÷ opening a million random events (the "
                     "pairing of the old benchmarks)",
                     "analysis/log-debrief/1M", "debrief/open/random", 0);
    plan.AddTimeGoal("load a 50 × 200 × 10 log ÷ read and split its lines", "log/load/50", "log/read/50", 3);
    plan.AddTimeGoal("load it with its sections reversed ÷ load it in order", "log/load/50-reversed", "log/load/50",
                     1.5);
    plan.AddTimeGoal("load it with 50,000 sections missing ÷ load it in order", "log/load/50-missing", "log/load/50",
                     1.5);
    plan.AddTimeGoal("save it ÷ write its bytes and sync them", "log/save/50", "log/write/50", 2);
    plan.AddTimeGoal("scaling: `LogDebrief`, 1,000,000 ÷ 500,000 events", "analysis/log-debrief/1M",
                     "analysis/log-debrief/500k", 2.2);
    plan.AddTimeGoal("scaling: open a debrief, 1,000,000 ÷ 500,000 events", "debrief/open/1M", "debrief/open/500k",
                     2.2);
    plan.AddTimeGoal("scaling: load, 100 ÷ 50 careers", "log/load/100", "log/load/50", 2.2);
    plan.AddTimeGoal("scaling: load reversed, 100 ÷ 50 careers", "log/load/100-reversed", "log/load/50-reversed", 2.2);
    plan.AddTimeGoal("scaling: load with sections missing, 100 ÷ 50 careers", "log/load/100-missing",
                     "log/load/50-missing", 2.2);
    plan.AddTimeGoal("scaling: save, 100 ÷ 50 careers", "log/save/100", "log/save/50", 2.2);
    plan.AddTimeGoal("scaling: write and sync the same bytes, 100 ÷ 50 careers", "log/write/100", "log/write/50", 0);
    plan.AddCounterGoal("peak memory of `/LOG` 50-career log `/MISSION` 1,000,000-event "
                        "debrief `/HIDE` ÷ the two files' sizes",
                        "program/hide-run", "peak_bytes", "input_bytes", 3);
    plan.AddCounterGoal("the same above the program's own start-up (its libraries) ÷ the two "
                        "files' sizes",
                        "program/hide-run", "data_peak_bytes", "input_bytes", 0);
}

std::string CpuModel()
{
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("model name")) {
            const std::size_t nColon = line.find(':');
            if (nColon != std::string::npos)
                return line.substr(line.find_first_not_of(' ', nColon + 1));
        }
    return "unknown processor";
}

std::string MachineText(int nRepetitions)
{
    char szDate[32] = "";
    const std::time_t now = std::time(nullptr);
    std::tm fields{};
    if (gmtime_r(&now, &fields) != nullptr)
        std::strftime(szDate, sizeof szDate, "%Y-%m-%d", &fields);
    double loads[3] = {};
    const bool bLoad = getloadavg(loads, 3) == 3;
    std::string text = "Medians of " + std::to_string(nRepetitions) +
                       " runs in random order; CPU time, real time for saving, writing, the whole "
                       "program, and LogDebrief (on two threads) with the opening and reading it "
                       "is held against. Measured " +
                       szDate + " on " + CpuModel() + ", " + std::to_string(std::thread::hardware_concurrency()) +
                       " cores";
    if (bLoad) {
        char szLoad[16];
        std::snprintf(szLoad, sizeof szLoad, "%.1f", loads[0]);
        text += std::string(", shared (load average ") + szLoad + ")";
    }
    return text + ".\n";
}

// Takes out our own options; the rest is for the benchmark library.
struct COptions {
    std::string strReadme;
    std::string strWriteInputs;
    std::string strInputs;
    int nRepetitions = kDefaultRepetitions;
    std::vector<char*> args;
};

COptions ParseOptions(int argc, char** argv, std::vector<std::string>& storage)
{
    COptions options;
    // Defaults first, so that the command line can override them.
    storage = {"--benchmark_repetitions=" + std::to_string(kDefaultRepetitions),
               "--benchmark_enable_random_interleaving=true", "--benchmark_report_aggregates_only=true"};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg.starts_with("--readme="))
            options.strReadme = arg.substr(9);
        else if (arg.starts_with("--write-inputs="))
            options.strWriteInputs = arg.substr(15);
        else if (arg.starts_with("--inputs="))
            options.strInputs = arg.substr(9);
        else {
            if (arg.starts_with("--benchmark_repetitions="))
                options.nRepetitions = std::atoi(argv[i] + 24);
            storage.emplace_back(arg);
        }
    }
    options.args.push_back(argv[0]);
    for (std::string& arg : storage)
        options.args.push_back(arg.data());
    options.args.push_back(nullptr);
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::string_view(argv[1]) == kPeakMemoryOption)
        return RunForPeakMemory(argv + 2);
    // Freed memory stays with the program for the next run of a benchmark:
    // fresh pages cost a page fault each, far more on some virtual machines
    // than the work measured, and whether the allocator hands them back
    // between runs depends on sizes and timing.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);

    std::vector<std::string> storage;
    COptions options = ParseOptions(argc, argv, storage);
    if (!options.strWriteInputs.empty()) {
        CBenchInputs inputs(options.strWriteInputs);
        return 0;
    }

    int nArgs = static_cast<int>(options.args.size()) - 1;
    benchmark::Initialize(&nArgs, options.args.data());
    if (benchmark::ReportUnrecognizedArguments(nArgs, options.args.data()))
        return 1;

    std::optional<CBenchFolder> folder;
    if (options.strInputs.empty()) {
        std::cout << "Writing the inputs..." << std::endl;
        folder.emplace();
    }
    const CBenchInputs inputs(folder ? folder->GetDir() : options.strInputs, !folder);
    CBenchPlan plan;
    RegisterDebriefBenchmarks(plan, inputs);
    RegisterAnalysisBenchmarks(plan, inputs);
    RegisterLogFileBenchmarks(plan, inputs);
    RegisterProgramBenchmarks(plan, inputs);
    AddGoals(plan);

    CMedianReporter reporter(plan);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const bool bAllMet = plan.PrintSummary(std::cout);
    if (!options.strReadme.empty()) {
        const std::string table = plan.MarkdownTable(MachineText(options.nRepetitions));
        if (table.empty())
            std::cout << "Not every goal was measured: " << options.strReadme << " left as it was.\n";
        else if (!ReplaceMarkedBlock(options.strReadme, kBlockBegin, kBlockEnd, table))
            std::cerr << "Could not write the figures into " << options.strReadme << ".\n";
        else
            std::cout << "Figures written into " << options.strReadme << ".\n";
    }
    return bAllMet ? 0 : 1;
}
