#pragma once
// What a run measures: the benchmarks, each against the raw cost of its
// bytes measured in the same run, and the goals set as ratios of medians.
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CBenchPlan {
public:
    using Body = std::function<void(benchmark::State&)>;

    // A benchmark measured against strBaseline (empty for a baseline itself).
    // Its time is CPU time unless the caller asks for real time.
    benchmark::internal::Benchmark* Add(const std::string& strName, const std::string& strBaseline, Body body);

    // A goal: the median of strSubject at most dLimit times that of
    // strReference. A limit of 0 makes it a figure shown for context.
    void AddTimeGoal(std::string strText, std::string strSubject, std::string strReference, double dLimit);
    // A goal on two counters of one benchmark: strNumerator at most dLimit
    // times strDenominator.
    void AddCounterGoal(std::string strText, std::string strBenchmark, std::string strNumerator,
                        std::string strDenominator, double dLimit);

    // The median of one benchmark, as the reporter found it.
    struct CResult {
        double dMilliseconds = 0; // CPU or real time, as the benchmark measures
        bool bRealTime = false;
        int nRepetitions = 1;
        std::map<std::string, double> counters;
    };
    void SetResult(const std::string& strName, CResult result);

    // Prints every benchmark with its baseline and ratio, then the goals.
    // True when every goal was measured and met.
    bool PrintSummary(std::ostream& out) const;
    // The goals as a Markdown table with the machine's description below;
    // empty unless every goal was measured.
    std::string MarkdownTable(const std::string& strMachine) const;

private:
    struct CGoal {
        std::string strText;
        std::string strSubject;   // benchmark
        std::string strReference; // benchmark, or the denominator counter
        std::string strCounter;   // numerator counter; empty for a time goal
        double dLimit = 0;
    };
    struct CGoalFigures {
        double dRatio = 0;
        std::string strSubject; // the subject's figure, formatted
        std::string strReference;
    };
    std::optional<CGoalFigures> Evaluate(const CGoal& goal) const;
    const CResult* Find(const std::string& strName) const;

    std::vector<std::pair<std::string, std::string>> m_benchmarks; // name, baseline
    std::vector<CGoal> m_goals;
    std::map<std::string, CResult> m_results;
};

// Passes every run on to the console and keeps each benchmark's median.
class CMedianReporter : public benchmark::ConsoleReporter {
public:
    explicit CMedianReporter(CBenchPlan& plan) : m_plan(plan) {}
    void ReportRuns(const std::vector<Run>& reports) override;

private:
    CBenchPlan& m_plan;
};

// Replaces the text between the two marker lines of a file (written to a
// temporary file and renamed over it). False when the markers are missing
// or the file cannot be written.
bool ReplaceMarkedBlock(const std::string& strPath, const std::string& strBegin, const std::string& strEnd,
                        const std::string& strBlock);
