#include "dialogs/clock_fields.h"

#include <cstdint>

namespace {
std::int32_t Wrap(std::int64_t nValue)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(nValue)));
}
} // namespace

int LeadingNumber(std::string_view text)
{
    std::size_t nPos = 0;
    while (nPos < text.size() && (text[nPos] == ' ' || text[nPos] == '\t' || text[nPos] == '\n' || text[nPos] == '\r' ||
                                  text[nPos] == '\v' || text[nPos] == '\f'))
        ++nPos;
    bool bNegative = false;
    if (nPos < text.size() && (text[nPos] == '+' || text[nPos] == '-'))
        bNegative = text[nPos++] == '-';
    std::uint32_t nValue = 0;
    while (nPos < text.size() && text[nPos] >= '0' && text[nPos] <= '9')
        nValue = nValue * 10u + static_cast<std::uint32_t>(text[nPos++] - '0');
    return static_cast<std::int32_t>(bNegative ? 0u - nValue : nValue);
}

bool ParseDayAndClock(int nDays, std::string_view clockText, CTimeSpan& span)
{
    int nHours = 0, nMinutes = 0, nSeconds = 0;
    if (!ParseClockText(clockText, nHours, nMinutes, nSeconds))
        return false;
    span = CTimeSpan(
        Wrap(std::int64_t{nDays} * 86400 + std::int64_t{nHours} * 3600 + std::int64_t{nMinutes} * 60 + nSeconds));
    return true;
}
