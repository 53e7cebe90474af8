#pragma once
// The private-profile (INI) functions: "[Section]" header lines, each
// followed by "Key=Value" lines. Sections and keys are matched without
// regard to letter case; blanks around the "=" and the value are ignored, and
// a value in matching quotes (single or double) loses them. Comment lines
// (";"), blank lines and any other line are kept as they are. When a key
// appears more than once, the first one counts.
#include <optional>
#include <string>
#include <string_view>

// The value stored for the key, or nothing when the file, the section or the
// key is missing. A key line with nothing after the "=" gives the empty text.
std::optional<std::string> FindPrivateProfileString(std::string_view section, std::string_view key,
                                                    const std::string& strPath);

// The value stored for the key, or the default when it is missing.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view def, const std::string& strPath);

// Stores the value (replacing the first line of the key, or adding a line at
// the end of the section, or a new section at the end of the file); nothing
// removes every line of the key. The file is rewritten whole through a
// temporary file beside it, and its folder is made when missing. A value that
// would not read back unchanged (blanks at its ends, matching quotes) is
// stored in double quotes. False when the names or the value cannot be
// stored (a line break, "=" in a key, "]" in a section) or the file could not
// be read or written; the file is then unchanged.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::optional<std::string_view> value, const std::string& strPath);
