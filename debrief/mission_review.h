#pragma once
// Showing a mission that was just logged from a debrief.
class CMission;

// Lets the user look over and edit the new mission when the "show mission"
// preference asks for it. The Mission Details dialog is to open here,
// modally on the mission; until it exists this does nothing.
void ReviewNewMission(CMission& mission);
