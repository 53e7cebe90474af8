// The text parsers: the date-time and span forms of the log and the
// settings, the clock times typed in the dialogs, the patterns they are
// formatted with, and the command line.
//
// Input: the text; for the command line, its lines are the arguments.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line_info.h"
#include "fuzz/fuzz_support.h"
#include "log/time_value.h"

namespace {

void CheckTimeText(std::string_view text)
{
    const CTime time = ParseTimeText(text);
    if (!time.IsValid())
        return;
    // A local time in the hour that summer time repeats may come back as
    // the other one of the two; its text stays the same.
    const std::string strText = FormatTimeText(time);
    if (FormatTimeText(ParseTimeText(strText)) != strText)
        FuzzFailure("a date-time text read and written again stays the same");
}

void CheckSpanText(std::string_view text)
{
    const CTimeSpan span = ParseSpanText(text);
    if (ParseSpanText(FormatSpanText(span)) != span)
        FuzzFailure("a span written as text reads back as the same span");
}

void CheckClockText(std::string_view text)
{
    int nHours = 0, nMinutes = 0, nSeconds = 0;
    ParseClockText(text, nHours, nMinutes, nSeconds);
}

void CheckPatterns(const std::string& strPattern)
{
    CTimeSpan(-3725).Format(strPattern);
    CTimeSpan(90061).Format(strPattern);
    if (CTime(912888453).Format(strPattern.c_str()).size() > 127)
        FuzzFailure("a formatted time holds at most 127 characters");
}

void CheckCommandLine(std::string_view text)
{
    std::vector<std::string> args;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        args.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    CFuzzHost host({});
    CHostScope hostScope(host);
    CLogCommandLineInfo info;
    ParseCommandLine(info, args);
    if (info.m_nResult < 0 || info.m_nResult > 2)
        FuzzFailure("the command line gives a Result of 0, 1 or 2");
    if (info.m_nExpect < CLogCommandLineInfo::EXPECT_KEYWORD || info.m_nExpect > CLogCommandLineInfo::EXPECT_LOG)
        FuzzFailure("the command line parser expects a keyword or a name");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "Europe/Berlin", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string text(reinterpret_cast<const char*>(pData), nSize);
    CheckTimeText(text);
    CheckSpanText(text);
    CheckClockText(text);
    CheckPatterns(text);
    CheckCommandLine(text);
    return 0;
}
