// The program itself logging the million-event flight into the large log
// with no window: its time and its peak memory against the two files' sizes.
#include "bench/bench_benchmarks.h"
#include "bench/bench_inputs.h"
#include "bench/bench_plan.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

extern char** environ;

namespace {

// The environment of a run without a display, with its own settings folder.
std::vector<std::string> ProgramEnvironment(const std::string& strConfigDir) {
    std::vector<std::string> env;
    for (char** p = environ; *p != nullptr; ++p) {
        const std::string_view entry(*p);
        if (entry.starts_with("DISPLAY=") || entry.starts_with("WAYLAND_DISPLAY=") ||
            entry.starts_with("XDG_CONFIG_HOME="))
            continue;
        env.emplace_back(entry);
    }
    env.push_back("XDG_CONFIG_HOME=" + strConfigDir);
    return env;
}

// Runs the program; its exit status, or -1 when it could not be run. The
// peak resident memory goes to nPeakBytes.
int RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& env,
               std::uint64_t& nPeakBytes) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : env)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    int nStatus = 0;
    struct rusage usage {};
    while (wait4(pid, &nStatus, 0, &usage) < 0)
        if (errno != EINTR) return -1;
    nPeakBytes = static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}

void LogWithoutWindow(benchmark::State& state, const CBenchInputs& inputs) {
    const std::string strConfig = inputs.strScratch + "/config";
    const std::string strLog = inputs.strScratch + "/hide.log";
    std::filesystem::create_directories(strConfig);
    const std::vector<std::string> env = ProgramEnvironment(strConfig);
    const std::vector<std::string> args = {SORTAVEL_PROGRAM, "/LOG",           strLog,
                                           "/MISSION",       inputs.strFlight, "/HIDE"};
    const double dInputBytes =
        static_cast<double>(FileSize(inputs.strLog) + FileSize(inputs.strFlight));
    double dPeak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(inputs.strLog, strLog,
                                   std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        std::uint64_t nPeak = 0;
        if (RunProgram(args, env, nPeak) != 0)
            state.SkipWithError("the program did not log the flight");
        dPeak = std::max(dPeak, static_cast<double>(nPeak));
    }
    std::filesystem::remove(strLog);
    state.counters["peak_bytes"] = dPeak;
    state.counters["input_bytes"] = dInputBytes;
}

} // namespace

void RegisterProgramBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs) {
    plan.Add("program/hide-run", {},
             [&inputs](benchmark::State& state) { LogWithoutWindow(state, inputs); })
        ->UseRealTime()
        ->Iterations(1);
}
