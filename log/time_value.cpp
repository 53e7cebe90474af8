#include "log/time_value.h"

#include <algorithm>
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
        // A digit, the common case, needs no look at the locale.
        while (pos < m_text.size() && (m_text[pos] < '0' || m_text[pos] > '9') &&
               std::isspace(static_cast<unsigned char>(m_text[pos])))
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
void AppendNumber(std::string& out, std::int32_t value, bool bTwoDigits)
{
    char buffer[16];
    char* p = buffer;
    if (bTwoDigits && value >= 0 && value < 10)
        *p++ = '0';
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

namespace {

// The fields of a date-time text. Numbers a text does not supply stay 0 and
// are then clamped like the rest, so "2000/5" reads as 1 May 2000 and a text
// without numbers as an invalid time.
CDayTimes::CFields ScanDateFields(std::string_view text)
{
    std::int32_t values[6] = {};
    ScanNumbers(text, "//-::", values);
    std::int32_t year = values[0], month = values[1], day = values[2];
    if (year < 1900)
        year = 1900;
    month = month < 1 ? 1 : month > 12 ? 12 : month;
    day = day < 1 ? 1 : day > 31 ? 31 : day;
    return {year, month, day, values[3], values[4], values[5]};
}

CTime Convert(const CDayTimes::CFields& f) { return CTime(f.year, f.month, f.day, f.hour, f.minute, f.second); }

bool IsPlainClock(std::int32_t hour, std::int32_t minute, std::int32_t second)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

// The start of the local day of a time, when the day's clock runs evenly
// (the same offset from UTC from 00:00:00 to 23:59:59).
bool FindEvenDay(std::int64_t nTime, std::tm& fields, std::int64_t& nStart)
{
    const auto local = [](std::int64_t n, std::tm& out) {
        const std::time_t value = static_cast<std::time_t>(n);
        return localtime_r(&value, &out) != nullptr;
    };
    if (!local(nTime, fields))
        return false;
    nStart = nTime - (fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec);
    std::tm first{}, last{};
    return nStart >= 0 && local(nStart, first) && local(nStart + kSecondsPerDay - 1, last) &&
           first.tm_gmtoff == fields.tm_gmtoff && last.tm_gmtoff == fields.tm_gmtoff && first.tm_hour == 0 &&
           first.tm_min == 0 && first.tm_sec == 0 && last.tm_hour == 23 && last.tm_min == 59 && last.tm_sec == 59 &&
           first.tm_mday == fields.tm_mday && last.tm_mday == fields.tm_mday;
}

} // namespace

CTime ParseTimeText(std::string_view text) { return Convert(ScanDateFields(text)); }

CTime CDayTimes::Parse(std::string_view text)
{
    const CFields f = ScanDateFields(text);
    const bool bPlain = IsPlainClock(f.hour, f.minute, f.second);
    if (bPlain && m_readDay.bKnown && f.year == m_readDay.year && f.month == m_readDay.month &&
        f.day == m_readDay.day) {
        return CTime(m_readDay.nStart + f.hour * 3600 + f.minute * 60 + f.second);
    }
    const CTime time = Convert(f);
    // Learn the day when this time is that very clock reading on it.
    std::tm fields{};
    std::int64_t nStart = 0;
    m_readDay.bKnown = bPlain && time.IsValid() && FindEvenDay(time.GetTime(), fields, nStart) &&
                       fields.tm_year + 1900 == f.year && fields.tm_mon + 1 == f.month && fields.tm_mday == f.day &&
                       fields.tm_hour == f.hour && fields.tm_min == f.minute && fields.tm_sec == f.second;
    if (m_readDay.bKnown)
        m_readDay = {true, f.year, f.month, f.day, nStart};
    return time;
}

const std::string& CDayTimes::Format(CTime time)
{
    const std::int64_t nTime = time.GetTime();
    if (time.IsValid() && m_writtenDay.bKnown && nTime >= m_writtenDay.nStart &&
        nTime - m_writtenDay.nStart < kSecondsPerDay) {
        const auto nClock = static_cast<std::int32_t>(nTime - m_writtenDay.nStart);
        char clock[8];
        const auto put = [&](int nAt, std::int32_t n) {
            clock[nAt] = static_cast<char>('0' + n / 10);
            clock[nAt + 1] = static_cast<char>('0' + n % 10);
        };
        put(0, nClock / 3600);
        clock[2] = ':';
        put(3, nClock / 60 % 60);
        clock[5] = ':';
        put(6, nClock % 60);
        m_strText.assign(m_strDate).append(clock, sizeof clock);
        return m_strText;
    }
    m_strText = FormatTimeText(time);
    std::tm fields{};
    std::int64_t nStart = 0;
    m_writtenDay.bKnown = time.IsValid() && m_strText.size() > 8 && FindEvenDay(nTime, fields, nStart);
    if (m_writtenDay.bKnown) {
        m_writtenDay.nStart = nStart;
        m_strDate = m_strText.substr(0, m_strText.size() - 8);
    }
    return m_strText;
}

char* FormatSpanText(CTimeSpan span, char* p)
{
    const std::int32_t nSeconds = span.GetTotalSeconds();
    if (nSeconds < 0) {
        // At most "-24855--23:-59:-59".
        const std::string text = span.Format(kSpanTextForm);
        return std::copy_n(text.data(), std::min(text.size(), kMaxSpanText), p);
    }
    // "%D-%H:%M:%S" for a span of no negative parts, without the pattern.
    p = std::to_chars(p, p + 12, nSeconds / kSecondsPerDay).ptr;
    const auto put = [&](char cBefore, std::int32_t n) {
        *p++ = cBefore;
        *p++ = static_cast<char>('0' + n / 10);
        *p++ = static_cast<char>('0' + n % 10);
    };
    put('-', nSeconds / 3600 % 24);
    put(':', nSeconds / 60 % 60);
    put(':', nSeconds % 60);
    return p;
}

std::string FormatSpanText(CTimeSpan span)
{
    char text[kMaxSpanText];
    return std::string(text, FormatSpanText(span, text));
}

CTimeSpan ParseSpanText(std::string_view text)
{
    // The form the log is written in, "D-HH:MM:SS" with a short day count,
    // read directly.
    const std::size_t n = text.size();
    const auto isDigit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    const auto digit = [&](std::size_t i) { return static_cast<std::int32_t>(text[i] - '0'); };
    if (n >= 10 && n <= 14 && text[n - 9] == '-' && text[n - 6] == ':' && text[n - 3] == ':' && isDigit(n - 8) &&
        isDigit(n - 7) && isDigit(n - 5) && isDigit(n - 4) && isDigit(n - 2) && isDigit(n - 1) &&
        std::all_of(text.begin(), text.end() - 9, [](char c) { return c >= '0' && c <= '9'; })) {
        std::int32_t nDays = 0;
        for (std::size_t i = 0; i + 9 < n; ++i)
            nDays = nDays * 10 + digit(i);
        const std::int64_t total = std::int64_t{nDays} * kSecondsPerDay + (digit(n - 8) * 10 + digit(n - 7)) * 3600 +
                                   (digit(n - 5) * 10 + digit(n - 4)) * 60 + digit(n - 2) * 10 + digit(n - 1);
        return CTimeSpan(Wrap(total));
    }
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
