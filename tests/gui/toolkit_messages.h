#pragma once
// Warnings and criticals that the toolkit and its libraries log while the GUI
// tests run (a control laid out below its minimum size, say). Each is still
// printed; the GUI test during which it came fails.
#include <string>
#include <vector>

void CaptureToolkitMessages();
// The messages logged since the last call.
std::vector<std::string> TakeToolkitMessages();
