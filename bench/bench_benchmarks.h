#pragma once
// The benchmarks of each part of the program, registered with their
// baselines and goals.
class CBenchPlan;
struct CBenchInputs;

void RegisterDebriefBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs);
void RegisterAnalysisBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs);
void RegisterLogFileBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs);
void RegisterProgramBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs);

// The helper behind the program's peak memory: sortavel_bench
// --peak-memory-of PROGRAM ARGS... runs the program and prints its peak
// resident memory in bytes.
inline constexpr const char* kPeakMemoryOption = "--peak-memory-of";
int RunForPeakMemory(char** argv);
