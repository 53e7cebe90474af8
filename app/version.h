#pragma once

inline constexpr const char* kProgramName = "Sortavel Manager";
const char* ProgramVersion();
