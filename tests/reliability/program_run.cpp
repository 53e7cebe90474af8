#include "tests/reliability/program_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "tests/support/scratch_dir.h"

CProgramRun::CProgramRun(std::string strDir, std::vector<std::string> args)
    : m_strDir(std::move(strDir)), m_args(std::move(args))
{
}

CProgramRun& CProgramRun::SetEnv(std::string strName, std::string strValue)
{
    m_env.emplace_back(std::move(strName), std::move(strValue));
    return *this;
}

CProgramRun& CProgramRun::SetInput(std::string strInput)
{
    m_strInput = std::move(strInput);
    return *this;
}

pid_t CProgramRun::Start()
{
    const std::string strIn = m_strDir + "/program-stdin";
    const std::string strErr = m_strDir + "/program-stderr";
    WriteBytes(strIn, m_strInput);
    std::vector<std::string> argStrings{SORTAVEL_PROGRAM};
    argStrings.insert(argStrings.end(), m_args.begin(), m_args.end());
    std::vector<char*> argv;
    for (std::string& str : argStrings)
        argv.push_back(str.data());
    argv.push_back(nullptr);

    m_started = std::chrono::steady_clock::now();
    m_pid = fork();
    if (m_pid == 0) {
        const int fdIn = open(strIn.c_str(), O_RDONLY);
        const int fdErr = open(strErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fdIn < 0 || fdErr < 0)
            _exit(127);
        dup2(fdIn, 0);
        dup2(fdErr, 1);
        dup2(fdErr, 2);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        for (const auto& [name, value] : m_env)
            setenv(name.c_str(), value.c_str(), 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (m_pid < 0)
        ADD_FAILURE() << "cannot start " << SORTAVEL_PROGRAM;
    return m_pid;
}

CProgramResult CProgramRun::Reap(bool bBlock)
{
    CProgramResult result;
    int nWait = 0;
    rusage usage{};
    if (m_pid <= 0 || wait4(m_pid, &nWait, bBlock ? 0 : WNOHANG, &usage) != m_pid) {
        result.m_nSignal = -1; // still running
        return result;
    }
    m_pid = -1;
    result.m_dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    if (WIFEXITED(nWait))
        result.m_nStatus = WEXITSTATUS(nWait);
    else if (WIFSIGNALED(nWait))
        result.m_nSignal = WTERMSIG(nWait);
    result.m_nMaxRssKiB = usage.ru_maxrss;
    result.m_strErr = ReadBytes(m_strDir + "/program-stderr");
    return result;
}

CProgramResult CProgramRun::Wait(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        CProgramResult result = Reap(false);
        if (result.m_nSignal != -1)
            return result;
        if (std::chrono::steady_clock::now() >= deadline) {
            ADD_FAILURE() << "the program still ran after " << limit.count() << " ms";
            return Kill();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

CProgramResult CProgramRun::Kill()
{
    if (m_pid > 0)
        ::kill(m_pid, SIGKILL);
    return Reap(true);
}

CProgramResult CProgramRun::Run(std::chrono::milliseconds limit)
{
    Start();
    return Wait(limit);
}
