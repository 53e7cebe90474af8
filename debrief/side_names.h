#pragma once
// Names of the sides (country numbers) of debrief objects; the same texts in
// the same order are the choices of the side lists in the dialogs.
#include <cstddef>
#include <string>

inline constexpr std::size_t kSideCount = 5;

// Indexed by country number 0 to kSideCount - 1: "Unknown", "Russian", ...
extern const char* const SideNames[];

// The name of a side, or "Side <n>" for a number outside the table.
std::string SideName(unsigned nCountry);
// Appends SideName(nCountry) to the text.
void AppendSideName(std::string& strText, unsigned nCountry);
