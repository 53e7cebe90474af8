// A pilot log file opened as the program opens it, then saved, opened again
// and saved again: the second save must give the very bytes of the first.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "log/log_doc.h"
#include "log/record_key.h"
#include "platform/ascii_text.h"

namespace {

// Record counts make a short file stand for a large log; above a few
// children per record a run only takes longer, through the same code. Counts
// that the reader refuses outright are kept.
constexpr std::int32_t kMaxFuzzedCount = 4;

bool HasCostlyCount(std::string_view text)
{
    for (std::size_t pos = 0; (pos = text.find('=', pos)) != std::string_view::npos; ++pos) {
        std::size_t nKeyEnd = pos; // the reader takes blanks around a key
        while (nKeyEnd > 0 && IsAsciiSpace(text[nKeyEnd - 1]))
            --nKeyEnd;
        if (nKeyEnd < 5)
            continue;
        std::string_view key = text.substr(nKeyEnd - 5, 5);
        bool bCount = true;
        for (std::size_t i = 0; i < 5; ++i)
            bCount = bCount && std::tolower(static_cast<unsigned char>(key[i])) == "count"[i];
        if (!bCount)
            continue;
        // Read as the log reader reads it: a huge number wraps, and may wrap
        // to a count the reader takes.
        const std::string_view value = text.substr(pos + 1, text.find('\n', pos) - pos - 1);
        const auto nCount = static_cast<std::int32_t>(ParseWrappingDecimal(value));
        if (nCount > kMaxFuzzedCount && nCount <= kMaxRecordCount)
            return true;
    }
    return false;
}

std::string Printable(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c >= ' ' && c <= '~') {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
            out += hex;
        }
    }
    return out;
}

std::string SaveAndRead(CLogDoc& doc)
{
    doc.RequestSave();
    if (!doc.Save())
        FuzzFailure("a log opened from a file can be saved");
    if (doc.IsModified())
        FuzzFailure("a saved log is not modified");
    return ReadFileBytes(doc.GetFileName());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A zone with summer time, so that dates in the hour that is skipped or
    // repeated are met too.
    setenv("TZ", "Europe/Berlin", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const CFuzzFolder folder;
    static const std::string strPath = folder.File("pilot.log");
    const std::string_view input(reinterpret_cast<const char*>(pData), nSize);
    if (HasCostlyCount(input))
        return 0;
    CFuzzHost host({});
    CHostScope hostScope(host);
    WriteFileBytes(strPath, input);

    CLogDoc doc;
    if (!doc.Open(strPath))
        return 0; // refused as damaged, with a message
    if (doc.IsModified())
        FuzzFailure("a log just opened is not modified");
    const std::string strFirst = SaveAndRead(doc);

    CLogDoc again;
    if (!again.Open(strPath))
        FuzzFailure("a log the program saved opens again");
    const std::string strSecond = SaveAndRead(again);
    if (strFirst != strSecond) {
        const auto diff = std::mismatch(strFirst.begin(), strFirst.end(), strSecond.begin(), strSecond.end());
        const std::size_t nAt = static_cast<std::size_t>(diff.first - strFirst.begin());
        const std::size_t nFrom = nAt < 40 ? 0 : nAt - 40;
        std::fprintf(stderr, "saves differ at byte %zu\nfirst:  %s\nsecond: %s\n", nAt,
                     Printable(strFirst.substr(nFrom, 80)).c_str(), Printable(strSecond.substr(nFrom, 80)).c_str());
        FuzzFailure("saving a log that was saved and opened again gives the same file");
    }
    return 0;
}
