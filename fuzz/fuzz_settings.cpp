// A settings file read as the program reads it at start-up and in the file
// dialogs, then every value written back and read again, and one value of
// the input's own stored under one of the program's keys.
//
// Input: a byte that picks the setting written, the settings file, and
// optionally a zero byte and a text to store under that setting.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "log/settings.h"
#include "log/text_escape.h"

namespace {

constexpr std::size_t kLongestText = 16383;

struct CKey {
    const char* pszSection;
    const char* pszKey;
    bool bText;
};

// Every setting the program reads.
constexpr CKey kKeys[] = {
    {"File", "Last_File", true},
    {"File", "Last_Filter", false},
    {"Preferences", "Accumulate_Pilot_Time", false},
    {"Preferences", "Ejection_Min", true},
    {"Preferences", "Show_Mission", false},
    {"Preferences", "Ignore_Gnd_Kills", false},
    {"Preferences", "Reject_Unk_Kills", false},
    {"Preferences", "Log_Events", false},
    {"Preferences", "Date_Format", false},
    {"Preferences", "Vortane_Dir", true},
    {"Preferences", "Init", false},
};

// Texts that the settings store refuses to write leave the file unchanged;
// any other text reads back as it was written (a lone CR or LF as CR LF).
void CheckWrite(const CSettings& settings, const CKey& key, std::string_view text)
{
    const std::string strBefore = ReadFileBytes(settings.GetPath());
    if (!settings.WriteString(key.pszSection, key.pszKey, text)) {
        if (ReadFileBytes(settings.GetPath()) != strBefore)
            FuzzFailure("a refused write leaves the settings file as it was");
        return;
    }
    // Longer stored texts are read only as far as the reader's buffer goes.
    const std::string strStored = EscapeText(text);
    const bool bWhole = strStored.size() <= kLongestText;
    const std::string strExpected = text.empty() ? "\x01" : UnescapeText(strStored);
    const std::string strBack = settings.ReadString(key.pszSection, key.pszKey, "\x01");
    if (bWhole && strBack != strExpected) {
        std::fprintf(stderr, "[%s] %s: wrote %zu bytes, read back %zu\n", key.pszSection, key.pszKey, text.size(),
                     strBack.size());
        FuzzFailure("a text written to the settings reads back unchanged");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const CFuzzFolder folder;
    static const std::string strPath = folder.File("Sortavel.ini");
    if (nSize < 1)
        return 0;
    // The first byte picks the setting that is written back (each write
    // rewrites the file, which costs far more than the reads).
    const CKey& written = kKeys[pData[0] % std::size(kKeys)];
    std::string_view input(reinterpret_cast<const char*>(pData) + 1, nSize - 1);
    std::string_view extra;
    if (const std::size_t nul = input.find('\0'); nul != std::string_view::npos) {
        extra = input.substr(nul + 1);
        input = input.substr(0, nul);
    }
    WriteFileBytes(strPath, input);
    const CSettings settings(strPath);

    for (const CKey& key : kKeys) {
        if (key.bText) {
            const std::string strValue = settings.ReadString(key.pszSection, key.pszKey, "");
            settings.ReadSpan(key.pszSection, key.pszKey, CTimeSpan(3));
            if (&key == &written)
                CheckWrite(settings, key, strValue);
        } else {
            const std::int32_t nValue = settings.ReadInt(key.pszSection, key.pszKey, 1);
            if (&key != &written)
                continue;
            settings.WriteInt(key.pszSection, key.pszKey, nValue);
            if (settings.ReadInt(key.pszSection, key.pszKey, nValue == 1 ? 2 : 1) != nValue)
                FuzzFailure("an integer written to the settings reads back unchanged");
        }
    }
    if (!extra.empty())
        CheckWrite(settings, written, extra);
    return 0;
}
