#include "log/time_value.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <ctime>

namespace {

constexpr std::int32_t kSecondsPerDay = 86400;

// A small scanf-like reader over a text: "%d" takes white space, an optional
// sign and at least one digit; "%c" takes any one character; a literal must
// match exactly. Digits accumulate in unsigned 32-bit arithmetic (wrapping),
// so overflow has a defined result.
class CTextScanner {
public:
    explicit CTextScanner(std::string_view text) : m_text(text) {}

    bool Number(std::int32_t& value)
    {
        std::size_t pos = m_nPos;
        while (pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[pos])))
            ++pos;
        bool bNegative = false;
        if (pos < m_text.size() && (m_text[pos] == '+' || m_text[pos] == '-'))
            bNegative = m_text[pos++] == '-';
        std::uint32_t nValue = 0;
        const std::size_t first = pos;
        while (pos < m_text.size() && m_text[pos] >= '0' && m_text[pos] <= '9')
            nValue = nValue * 10u + static_cast<std::uint32_t>(m_text[pos++] - '0');
        if (pos == first)
            return false;
        m_nPos = pos;
        value = static_cast<std::int32_t>(bNegative ? 0u - nValue : nValue);
        return true;
    }

    bool AnyChar()
    {
        if (m_nPos >= m_text.size())
            return false;
        ++m_nPos;
        return true;
    }

    bool Literal(char c)
    {
        if (m_nPos >= m_text.size() || m_text[m_nPos] != c)
            return false;
        ++m_nPos;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_nPos = 0;
};

// Scans numbers separated by the given literals ("/" "/" "-" ":" ":"), as
// far as the text allows; the numbers not reached keep their values.
template <std::size_t N>
void ScanNumbers(std::string_view text, const char (&separators)[N], std::int32_t* values)
{
    CTextScanner scanner(text);
    for (std::size_t i = 0; i < N; ++i) {
        if (!scanner.Number(values[i]))
            return;
        if (i + 1 < N && !scanner.Literal(separators[i]))
            return;
    }
}

std::int32_t Wrap(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

bool FitsInt(std::int64_t value)
{
    return value >= INT_MIN && value <= INT_MAX;
}

} // namespace

std::int32_t CTimeSpan::GetDays() const
{
    return m_nSeconds / kSecondsPerDay;
}

std::int32_t CTimeSpan::GetHours() const
{
    return m_nSeconds / 3600 - GetDays() * 24;
}

std::int32_t CTimeSpan::GetMinutes() const
{
    return m_nSeconds / 60 - (m_nSeconds / 3600) * 60;
}

std::int32_t CTimeSpan::GetSeconds() const
{
    return m_nSeconds % 60;
}

namespace {

// printf's "%d", or "%02d" with bTwoDigits.
void AppendNumber(std::string& out, std::int32_t value, bool bTwoDigits) {
    char buffer[16];
    char* p = buffer;
    if (bTwoDigits && value >= 0 && value < 10) *p++ = '0';
    p = std::to_chars(p, buffer + sizeof buffer, value).ptr;
    out.append(buffer, p);
}

} // namespace

std::string CTimeSpan::Format(std::string_view pattern) const
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        const char code = pattern[++i];
        switch (code) {
        case 'D':
            AppendNumber(out, GetDays(), false);
            break;
        case 'H':
            AppendNumber(out, GetHours(), true);
            break;
        case 'M':
            AppendNumber(out, GetMinutes(), true);
            break;
        case 'S':
            AppendNumber(out, GetSeconds(), true);
            break;
        default:
            if (code != '\0') // "%" and a NUL add nothing
                out += code;
            break;
        }
    }
    return out;
}

CTimeSpan CTimeSpan::operator+(CTimeSpan other) const
{
    return CTimeSpan(Wrap(std::int64_t{m_nSeconds} + other.m_nSeconds));
}

CTimeSpan CTimeSpan::operator-(CTimeSpan other) const
{
    return CTimeSpan(Wrap(std::int64_t{m_nSeconds} - other.m_nSeconds));
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
{
    const std::int64_t tmYear = std::int64_t{year} - 1900;
    const std::int64_t tmMonth = std::int64_t{month} - 1;
    if (!FitsInt(tmYear) || !FitsInt(tmMonth))
        return; // invalid
    std::tm fields{};
    fields.tm_year = static_cast<int>(tmYear);
    fields.tm_mon = static_cast<int>(tmMonth);
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    const std::time_t result = std::mktime(&fields);
    if (result >= 0)
        m_nTime = static_cast<std::int64_t>(result);
}

CTime CTime::GetCurrentTime()
{
    return CTime(static_cast<std::int64_t>(std::time(nullptr)));
}

std::string CTime::Format(const char* pattern) const
{
    if (!IsValid() || pattern == nullptr || *pattern == '\0')
        return {};
    const std::time_t value = static_cast<std::time_t>(m_nTime);
    std::tm fields{};
    if (localtime_r(&value, &fields) == nullptr)
        return {};
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &fields);
    return std::string(buffer, length);
}

std::string FormatTimeText(CTime time)
{
    return time.Format(kTimeTextForm);
}

CTime ParseTimeText(std::string_view text)
{
    // Numbers a text does not supply stay 0 and are then clamped like the
    // rest, so "2000/5" reads as 1 May 2000 and a text without numbers as an
    // invalid time.
    std::int32_t values[6] = {};
    ScanNumbers(text, "//-::", values);
    std::int32_t year = values[0], month = values[1], day = values[2];
    if (year < 1900)
        year = 1900;
    month = month < 1 ? 1 : month > 12 ? 12 : month;
    day = day < 1 ? 1 : day > 31 ? 31 : day;
    return CTime(year, month, day, values[3], values[4], values[5]);
}

std::string FormatSpanText(CTimeSpan span)
{
    return span.Format(kSpanTextForm);
}

CTimeSpan ParseSpanText(std::string_view text)
{
    std::int32_t values[4] = {};
    ScanNumbers(text, "-::", values);
    const std::int64_t total = std::int64_t{values[0]} * kSecondsPerDay
        + std::int64_t{values[1]} * 3600 + std::int64_t{values[2]} * 60 + values[3];
    return CTimeSpan(Wrap(total));
}

bool ParseClockText(std::string_view text, int& hours, int& minutes, int& seconds)
{
    hours = minutes = seconds = 0;
    std::int32_t values[3] = {};
    int nItems = 0;
    CTextScanner scanner(text);
    for (int i = 0; i < 3; ++i) {
        if (!scanner.Number(values[i]))
            break;
        ++nItems;
        if (i == 2 || !scanner.AnyChar())
            break;
        ++nItems;
    }
    if (nItems == 0)
        return false;
    if (nItems == 1) {
        hours = values[0] / 100;
        minutes = values[0] - hours * 100;
        return true;
    }
    hours = values[0];
    minutes = values[1];
    seconds = values[2];
    return true;
}
