// The program itself logging the million-event flight into the large log
// with no window: its time and its peak memory against the two files' sizes.
#include "bench/bench_benchmarks.h"
#include "bench/bench_inputs.h"
#include "bench/bench_plan.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

extern char** environ;

namespace {

// The environment of a run without a display, with its own settings folder.
std::vector<std::string> ProgramEnvironment(const std::string& strConfigDir)
{
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

// Runs the program through this binary's --peak-memory-of helper, which
// forks the program from a small process: a child started straight from this
// large one would be charged this one's memory as its peak. The exit status,
// or -1 when it could not be run; the peak resident memory goes to nPeakBytes.
int RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& env, std::uint64_t& nPeakBytes)
{
    std::vector<std::string> helper = {"/proc/self/exe", kPeakMemoryOption};
    helper.insert(helper.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (const std::string& arg : helper)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : env)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int nSpawn = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; nSpawn == 0 && (n = read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeFds[0]);
    if (nSpawn != 0)
        return -1;
    int nStatus = 0;
    while (waitpid(pid, &nStatus, 0) < 0)
        if (errno != EINTR)
            return -1;
    nPeakBytes = std::strtoull(output.c_str(), nullptr, 10);
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}

void LogWithoutWindow(benchmark::State& state, const CBenchInputs& inputs)
{
    const std::string strConfig = inputs.strScratch + "/config";
    const std::string strLog = inputs.strScratch + "/hide.log";
    std::filesystem::create_directories(strConfig);
    const std::vector<std::string> env = ProgramEnvironment(strConfig);
    const std::vector<std::string> args = {SORTAVEL_PROGRAM, "/LOG", strLog, "/MISSION", inputs.strFlight, "/HIDE"};
    const double dInputBytes = static_cast<double>(FileSize(inputs.strLog) + FileSize(inputs.strFlight));
    // The program's own size: started with nothing to read or write.
    std::uint64_t nStartup = 0;
    RunProgram({SORTAVEL_PROGRAM, "/HIDE"}, env, nStartup);
    double dPeak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(inputs.strLog, strLog, std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        std::uint64_t nPeak = 0;
        if (RunProgram(args, env, nPeak) != 0)
            state.SkipWithError("the program did not log the flight");
        dPeak = std::max(dPeak, static_cast<double>(nPeak));
    }
    std::filesystem::remove(strLog);
    state.counters["peak_bytes"] = dPeak;
    state.counters["data_peak_bytes"] = dPeak - static_cast<double>(nStartup);
    state.counters["input_bytes"] = dInputBytes;
}

} // namespace

void RegisterProgramBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs)
{
    plan.Add("program/hide-run", {}, [&inputs](benchmark::State& state) { LogWithoutWindow(state, inputs); })
        ->UseRealTime()
        ->Iterations(1);
}

int RunForPeakMemory(char** argv)
{
    const pid_t pid = fork();
    if (pid < 0)
        return 127;
    if (pid == 0) {
        execv(argv[0], argv);
        _exit(127);
    }
    int nStatus = 0;
    struct rusage usage {};
    while (wait4(pid, &nStatus, 0, &usage) < 0)
        if (errno != EINTR)
            return 127;
    std::printf("%llu\n", static_cast<unsigned long long>(usage.ru_maxrss) * 1024);
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 127;
}
