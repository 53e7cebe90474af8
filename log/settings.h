#pragma once
// The settings file "Sortavel.ini": preferences and remembered file names.
// Nothing is cached; every read and write goes to the file at once. Texts
// are stored with the escaping of the log file (CR LF as "\n", a tab as
// "\t", a backslash doubled).
#include "log/time_value.h"

#include <cstdint>
#include <string>
#include <string_view>

class CSettings {
public:
    // The settings file of the user: $XDG_CONFIG_HOME/Sortavel.ini, or
    // $HOME/.config/Sortavel.ini when that variable is unset or empty.
    CSettings();
    explicit CSettings(std::string strPath);

    static std::string GetDefaultPath();
    const std::string& GetPath() const { return m_strPath; }

    // The stored text decoded (at most 16383 characters of it are read), or
    // the default, decoded the same way, when the key is missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // The stored decimal integer (15 characters of it are seen), or the
    // default when the key is missing or empty; a value without digits is 0.
    std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t def) const;
    // A "D-H:M:S" span, or the default when the key is missing or empty.
    CTimeSpan ReadSpan(std::string_view section, std::string_view key, CTimeSpan def) const;

    // Encodes and stores the text; an empty text removes the key.
    bool WriteString(std::string_view section, std::string_view key, std::string_view text) const;
    bool WriteInt(std::string_view section, std::string_view key, std::int32_t value) const;

private:
    std::string m_strPath;
};

// The decimal conversion of a stored integer: blanks skipped, an optional
// sign, the digits up to the first other character; out of range values
// stop at the nearest 32-bit limit.
std::int32_t ParseSettingsInt(std::string_view text);
