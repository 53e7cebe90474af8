#pragma once
// Logging a debrief: one debrief file becomes a new mission of the open log.
#include <cstdint>
#include <string>

// Loads the debrief at strPath, finds the player, chooses the last career
// (asking about a duplicate entry or a pilot listed as killed in action),
// and adds a mission with its fields, the pilot's fate, the kill tally and,
// when the preference is set, the event notes. nInitialResult is the
// mission's Result. 1 when a mission was added, 0 when none was.
int LogDebrief(const std::string& strPath, std::int32_t nInitialResult);
