#pragma once
// The escaping shared by the log file and the settings file: CR LF as "\n",
// a tab as "\t", a backslash doubled.
#include <string>
#include <string_view>

std::string EscapeText(std::string_view text);
// Appends EscapeText(text) to out.
void EscapeTextInto(std::string_view text, std::string& out);
std::string UnescapeText(std::string_view text);
