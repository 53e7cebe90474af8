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

// ParseTimeText and FormatTimeText for a reader or writer of many
// date-times: a day whose clock runs evenly (no change to or from summer
// time) gives its times by adding to the start of the day, which is learnt
// from the first time converted on that day.
//
// mktime remembers the offset of its last conversion and takes it as its
// first guess for the next, which decides a local time that occurs twice.
// The day is therefore learnt with localtime only, and the times it gives
// have the offset of the conversion before them: what mktime remembers
// stays what the plain conversions would leave.
class CDayTimes {
public:
    CTime Parse(std::string_view text);
    // The text is good until the next call.
    const std::string& Format(CTime time);

    struct CFields {
        std::int32_t year, month, day, hour, minute, second;
    };

private:
    // A day whose clock runs evenly, from its start.
    struct CEvenDay {
        bool bKnown = false;
        std::int32_t year = 0, month = 0, day = 0;
        std::int64_t nStart = 0;
    };
    // Reading.
    CEvenDay m_readDay;
    // Writing.
    CEvenDay m_writtenDay;
    std::string m_strDate; // the text of m_writtenDay up to the clock
    std::string m_strText;
};

// The span text form "%D-%H:%M:%S" and its parser.
inline constexpr const char* kSpanTextForm = "%D-%H:%M:%S";
std::string FormatSpanText(CTimeSpan span);
// The same text written to p, which has room for kMaxSpanText characters;
// returns its end.
inline constexpr std::size_t kMaxSpanText = 24;
char* FormatSpanText(CTimeSpan span, char* p);
CTimeSpan ParseSpanText(std::string_view text);

// A clock time typed by the user: "hh:mm:ss", "hh:mm" or "hhmm" (any single
// character separates). False when the text does not start with a number.
bool ParseClockText(std::string_view text, int& hours, int& minutes, int& seconds);
