#include "log/settings.h"

#include "log/text_escape.h"
#include "platform/ascii_text.h"
#include "platform/profile.h"

#include <cstdlib>
#include <limits>

namespace {

constexpr const char* kFileName = "Sortavel.ini";
constexpr std::size_t kTextBufferSize = 16384;
constexpr std::size_t kIntBufferSize = 16;

std::string ReadCut(std::string_view section, std::string_view key, std::string_view def,
                    const std::string& strPath, std::size_t nBufferSize)
{
    std::string value = GetPrivateProfileString(section, key, def, strPath);
    if (value.size() > nBufferSize - 1)
        value.resize(nBufferSize - 1);
    return value;
}

} // namespace

std::int32_t ParseSettingsInt(std::string_view text)
{
    std::size_t pos = 0;
    const bool bNegative = SkipBlanksAndSign(text, pos);
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > kLimit)
            value = kLimit;
    }
    if (bNegative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value < kLimit ? value : kLimit - 1);
}

CSettings::CSettings() : m_strPath(GetDefaultPath()) {}

CSettings::CSettings(std::string strPath) : m_strPath(std::move(strPath)) {}

std::string CSettings::GetDefaultPath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config != '\0')
        return std::string(config) + "/" + kFileName;
    const char* home = std::getenv("HOME");
    std::string strHome = home != nullptr && *home != '\0' ? home : ".";
    return strHome + "/.config/" + kFileName;
}

std::string CSettings::ReadString(std::string_view section, std::string_view key,
                                  std::string_view def) const
{
    return UnescapeText(ReadCut(section, key, def, m_strPath, kTextBufferSize));
}

std::int32_t CSettings::ReadInt(std::string_view section, std::string_view key,
                                std::int32_t def) const
{
    const std::string value = ReadCut(section, key, {}, m_strPath, kIntBufferSize);
    return value.empty() ? def : ParseSettingsInt(value);
}

CTimeSpan CSettings::ReadSpan(std::string_view section, std::string_view key,
                              CTimeSpan def) const
{
    const std::string value = ReadString(section, key, {});
    return value.empty() ? def : ParseSpanText(value);
}

bool CSettings::WriteString(std::string_view section, std::string_view key,
                            std::string_view text) const
{
    if (text.empty())
        return WritePrivateProfileString(section, key, std::nullopt, m_strPath);
    return WritePrivateProfileString(section, key, EscapeText(text), m_strPath);
}

bool CSettings::WriteInt(std::string_view section, std::string_view key,
                         std::int32_t value) const
{
    return WritePrivateProfileString(section, key, std::to_string(value), m_strPath);
}
