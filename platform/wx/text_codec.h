#pragma once
// Byte strings of the program as the window toolkit wants them, and back.
// Record texts are UTF-8 when valid, else Windows-1252 (what older logs hold).
#include <string>
#include <string_view>

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined
// become the control characters of the same value, as Windows maps them.
std::string Cp1252ToUtf8(std::string_view text);

// The text as UTF-8 for display: unchanged when it is valid UTF-8, otherwise
// read as Windows-1252.
std::string ToDisplayUtf8(std::string_view text);

// Line breaks: the program keeps CR LF, the toolkit's edits use LF.
std::string CrLfToLf(std::string_view text);
std::string LfToCrLf(std::string_view text);
