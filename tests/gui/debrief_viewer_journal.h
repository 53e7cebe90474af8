#pragma once
// A strike mission's journal of a few hundred events, as the simulator
// writes one: the player's flight, a defended target area, fighters that
// join, bursts of gunfire, missiles and bombs, hits, kills and explosions.
#include <string>

// The player's object identifier, as the viewer shows it.
inline constexpr const char* kStrikePlayerText = "101";

void WriteStrikeJournal(const std::string& strPath);
