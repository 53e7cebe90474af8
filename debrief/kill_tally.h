#pragma once
// The kill tally: the player's weapon releases in a debrief become the kills,
// hits and misses lists of a mission.
#include <cstdint>

class CDebrief;
class CMission;

// Fills the three lists of a newly created mission from the releases of
// nPlayer. Each accepted destruction or kill gets a kill record (gun bursts
// folded into Num_Fired), hits are merged per target and weapon, releases
// without a counted effect are merged per weapon into the misses. A list
// stops growing at the number of records a log may hold in one list.
// Reads the debrief and the settings only, and writes only the mission, so
// it may run beside other readers of the same debrief.
void TallyKills(const CDebrief& debrief, std::uint16_t nPlayer, CMission& mission);
