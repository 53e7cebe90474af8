#pragma once
// The benchmarks of each part of the program, registered with their
// baselines and goals.
class CBenchPlan;
struct CBenchInputs;

void RegisterDebriefBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs);
void RegisterAnalysisBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs);
void RegisterLogFileBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs);
void RegisterProgramBenchmarks(CBenchPlan& plan, const CBenchInputs& inputs);
