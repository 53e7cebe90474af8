#pragma once
// Calendar times and spans of seconds, with the text forms the log and the
// settings file store them in.
#include <cstdint>
#include <string>
#include <string_view>

// A span of whole seconds, a signed 32-bit count. Arithmetic wraps like the
// 32-bit integer it mirrors (never undefined behaviour).
class CTimeSpan {
public:
    constexpr CTimeSpan() = default;
    constexpr CTimeSpan(std::int32_t seconds) : m_nSeconds(seconds) {}

    constexpr std::int32_t GetTotalSeconds() const { return m_nSeconds; }
    // Components truncate toward zero; for negative spans all are <= 0.
    std::int32_t GetDays() const;
    std::int32_t GetHours() const;   // hours within the day
    std::int32_t GetMinutes() const; // minutes within the hour
    std::int32_t GetSeconds() const; // seconds within the minute

    // "%D" days, "%H" "%M" "%S" components with at least two digits,
    // "%" followed by any other character gives that character.
    std::string Format(std::string_view pattern) const;

    CTimeSpan operator+(CTimeSpan other) const;
    CTimeSpan operator-(CTimeSpan other) const;
    CTimeSpan& operator+=(CTimeSpan other) { return *this = *this + other; }
    CTimeSpan& operator-=(CTimeSpan other) { return *this = *this - other; }
    friend constexpr auto operator<=>(CTimeSpan, CTimeSpan) = default;

private:
    std::int32_t m_nSeconds = 0;
};

// A point in time: seconds since 1970-01-01 00:00:00 UTC, held in 64 bits so
// dates after January 2038 stay valid. -1 is the invalid value; dates before
// 1970 are invalid.
class CTime {
public:
    static constexpr std::int64_t kInvalid = -1;

    constexpr CTime() = default; // invalid
    constexpr explicit CTime(std::int64_t seconds) : m_nTime(seconds < 0 ? kInvalid : seconds) {}
    // Local calendar fields, as POSIX mktime with the summer-time flag
    // unknown: out-of-range fields roll over; a result before 1970 is invalid.
    CTime(int year, int month, int day, int hour, int minute, int second);

    static CTime GetCurrentTime();

    constexpr std::int64_t GetTime() const { return m_nTime; }
    constexpr bool IsValid() const { return m_nTime != kInvalid; }

    // strftime on the local time, at most 127 characters; invalid gives "".
    std::string Format(const char* pattern) const;

    friend constexpr bool operator==(CTime, CTime) = default;

private:
    std::int64_t m_nTime = kInvalid;
};

// The date-time text form "%Y/%m/%d-%H:%M:%S" and its parser (years below
// 1900, months and days out of 1..12 and 1..31 are clamped first).
inline constexpr const char* kTimeTextForm = "%Y/%m/%d-%H:%M:%S";
std::string FormatTimeText(CTime time);
CTime ParseTimeText(std::string_view text);

// The span text form "%D-%H:%M:%S" and its parser.
inline constexpr const char* kSpanTextForm = "%D-%H:%M:%S";
std::string FormatSpanText(CTimeSpan span);
CTimeSpan ParseSpanText(std::string_view text);

// A clock time typed by the user: "hh:mm:ss", "hh:mm" or "hhmm" (any single
// character separates). False when the text does not start with a number.
bool ParseClockText(std::string_view text, int& hours, int& minutes, int& seconds);
