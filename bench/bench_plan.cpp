// The run's benchmarks and goals, the reporter that keeps the medians, and
// the summary printed at the end.
#include "bench/bench_plan.h"

#include <cstdio>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace {

double ToMilliseconds(double dValue, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return dValue / 1e6;
    case benchmark::kMicrosecond:
        return dValue / 1e3;
    case benchmark::kMillisecond:
        return dValue;
    case benchmark::kSecond:
        return dValue * 1e3;
    }
    return dValue;
}

std::string Fixed(double dValue, int nDigits)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(nDigits) << dValue;
    return out.str();
}

std::string FormatTime(double dMilliseconds) { return Fixed(dMilliseconds, dMilliseconds < 10 ? 2 : 1) + " ms"; }

std::string FormatBytes(double dBytes) { return Fixed(dBytes / (1024 * 1024), 1) + " MiB"; }

std::string Pad(std::string text, std::size_t nWidth)
{
    if (text.size() < nWidth)
        text.append(nWidth - text.size(), ' ');
    return text;
}

} // namespace

benchmark::internal::Benchmark* CBenchPlan::Add(const std::string& strName, const std::string& strBaseline, Body body)
{
    m_benchmarks.emplace_back(strName, strBaseline);
    return benchmark::RegisterBenchmark(strName.c_str(), [body](benchmark::State& state) { body(state); })
        ->Unit(benchmark::kMillisecond);
}

void CBenchPlan::AddTimeGoal(std::string strText, std::string strSubject, std::string strReference, double dLimit)
{
    m_goals.push_back({std::move(strText), std::move(strSubject), std::move(strReference), {}, dLimit});
}

void CBenchPlan::AddCounterGoal(std::string strText, std::string strBenchmark, std::string strNumerator,
                                std::string strDenominator, double dLimit)
{
    m_goals.push_back(
        {std::move(strText), std::move(strBenchmark), std::move(strDenominator), std::move(strNumerator), dLimit});
}

void CBenchPlan::SetResult(const std::string& strName, CResult result) { m_results[strName] = std::move(result); }

const CBenchPlan::CResult* CBenchPlan::Find(const std::string& strName) const
{
    const auto it = m_results.find(strName);
    return it == m_results.end() ? nullptr : &it->second;
}

std::optional<CBenchPlan::CGoalFigures> CBenchPlan::Evaluate(const CGoal& goal) const
{
    const CResult* pSubject = Find(goal.strSubject);
    if (pSubject == nullptr)
        return std::nullopt;
    if (!goal.strCounter.empty()) {
        const auto itTop = pSubject->counters.find(goal.strCounter);
        const auto itBottom = pSubject->counters.find(goal.strReference);
        if (itTop == pSubject->counters.end() || itBottom == pSubject->counters.end() || itBottom->second <= 0)
            return std::nullopt;
        return CGoalFigures{itTop->second / itBottom->second, FormatBytes(itTop->second),
                            FormatBytes(itBottom->second)};
    }
    const CResult* pReference = Find(goal.strReference);
    if (pReference == nullptr || pReference->dMilliseconds <= 0)
        return std::nullopt;
    return CGoalFigures{pSubject->dMilliseconds / pReference->dMilliseconds, FormatTime(pSubject->dMilliseconds),
                        FormatTime(pReference->dMilliseconds)};
}

bool CBenchPlan::PrintSummary(std::ostream& out) const
{
    out << "\nEach benchmark against the raw cost of its bytes (medians; CPU time, real time "
           "where marked *)\n\n";
    out << Pad("benchmark", 30) << Pad("time", 13) << Pad("baseline", 28) << Pad("time", 13) << "ratio\n";
    for (const auto& [strName, strBaseline] : m_benchmarks) {
        const CResult* pResult = Find(strName);
        if (pResult == nullptr)
            continue;
        const char* pszMark = pResult->bRealTime ? " *" : "";
        out << Pad(strName, 30) << Pad(FormatTime(pResult->dMilliseconds) + pszMark, 13);
        const CResult* pBase = strBaseline.empty() ? nullptr : Find(strBaseline);
        if (pBase != nullptr && pBase->dMilliseconds > 0)
            out << Pad(strBaseline, 28) << Pad(FormatTime(pBase->dMilliseconds), 13)
                << Fixed(pResult->dMilliseconds / pBase->dMilliseconds, 2);
        else if (!strBaseline.empty())
            out << Pad(strBaseline, 28) << "(not run)";
        out << '\n';
    }

    out << "\nGoals (and, without a limit, figures for context)\n\n";
    bool bAllMet = true;
    for (const CGoal& goal : m_goals) {
        const std::optional<CGoalFigures> figures = Evaluate(goal);
        if (!figures) {
            out << Pad("not measured", 22) << goal.strText << '\n';
            bAllMet = bAllMet && goal.dLimit <= 0;
            continue;
        }
        out << Pad(Fixed(figures->dRatio, 2), 7);
        if (goal.dLimit > 0) {
            const bool bMet = figures->dRatio <= goal.dLimit;
            bAllMet = bAllMet && bMet;
            out << "<= " << Pad(Fixed(goal.dLimit, 1), 5) << Pad(bMet ? "ok" : "MISSED", 7);
        } else {
            out << Pad("", 15);
        }
        out << goal.strText << '\n';
    }
    out << '\n';
    return bAllMet;
}

std::string CBenchPlan::MarkdownTable(const std::string& strMachine) const
{
    std::ostringstream out;
    out << "| measure | ratio | goal | measured | against |\n|---|---|---|---|---|\n";
    for (const CGoal& goal : m_goals) {
        const std::optional<CGoalFigures> figures = Evaluate(goal);
        if (!figures)
            return {};
        out << "| " << goal.strText << " | " << Fixed(figures->dRatio, 2) << " | "
            << (goal.dLimit > 0 ? "≤ " + Fixed(goal.dLimit, 1) : std::string("—")) << " | " << figures->strSubject
            << " | " << figures->strReference << " |\n";
    }
    out << '\n' << strMachine << '\n';
    return out.str();
}

void CMedianReporter::ReportRuns(const std::vector<Run>& reports)
{
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (run.error_occurred)
            continue;
        const bool bMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool bSingle = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!bMedian && !bSingle)
            continue;
        CBenchPlan::CResult result;
        result.bRealTime = !run.run_name.time_type.empty();
        result.dMilliseconds = ToMilliseconds(result.bRealTime ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime(),
                                              run.time_unit);
        result.nRepetitions = static_cast<int>(run.repetitions);
        for (const auto& [strName, counter] : run.counters)
            result.counters[strName] = counter.value;
        m_plan.SetResult(run.run_name.function_name, std::move(result));
    }
}

bool ReplaceMarkedBlock(const std::string& strPath, const std::string& strBegin, const std::string& strEnd,
                        const std::string& strBlock)
{
    std::ifstream in(strPath, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    const std::size_t nBegin = text.find(strBegin + "\n");
    if (nBegin == std::string::npos)
        return false;
    const std::size_t nInside = nBegin + strBegin.size() + 1;
    const std::size_t nEnd = text.find(strEnd, nInside);
    if (nEnd == std::string::npos)
        return false;
    const std::string updated = text.substr(0, nInside) + strBlock + text.substr(nEnd);
    const std::string strTemp = strPath + ".new";
    {
        std::ofstream out(strTemp, std::ios::binary | std::ios::trunc);
        out << updated;
        if (!out.flush())
            return false;
    }
    return std::rename(strTemp.c_str(), strPath.c_str()) == 0;
}
