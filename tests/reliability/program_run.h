#pragma once
// Runs the built program as a child process without a display, the way a
// scheduled job would: arguments, extra environment, a file as standard
// input, standard error captured, and what the run cost.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

struct CProgramResult {
    int m_nStatus = -1; // exit status; -1 when it did not exit by itself
    int m_nSignal = 0;  // the signal that ended it, if one did
    std::string m_strErr;
    long m_nMaxRssKiB = 0; // peak resident memory
    double m_dSeconds = 0;
};

class CProgramRun {
public:
    // strDir holds the files of standard input and standard error.
    CProgramRun(std::string strDir, std::vector<std::string> args);

    CProgramRun& SetEnv(std::string strName, std::string strValue);
    CProgramRun& SetInput(std::string strInput);

    // Starts the program; Wait() or Kill() must follow.
    pid_t Start();
    // Waits for the end; a program still running after the limit is
    // killed and reported as such (m_nSignal).
    CProgramResult Wait(std::chrono::milliseconds limit = std::chrono::minutes(2));
    // SIGKILL now, then waits.
    CProgramResult Kill();
    // Start() and Wait().
    CProgramResult Run(std::chrono::milliseconds limit = std::chrono::minutes(2));

private:
    CProgramResult Reap(bool bBlock);

    std::string m_strDir;
    std::vector<std::string> m_args;
    std::vector<std::pair<std::string, std::string>> m_env;
    std::string m_strInput;
    pid_t m_pid = -1;
    std::chrono::steady_clock::time_point m_started;
};
