#include "log/time_value.h"

#include "tests/support/scoped_env.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(TimeSpanTest, FormatsComponents)
{
    const struct {
        std::int32_t seconds;
        const char* pattern;
        const char* text;
    } cases[] = {
        {0, kSpanTextForm, "0-00:00:00"},
        {86399, kSpanTextForm, "0-23:59:59"},
        {86400, kSpanTextForm, "1-00:00:00"},
        {90061, kSpanTextForm, "1-01:01:01"},
        {-3725, kSpanTextForm, "0--1:-2:-5"},
        {-90061, kSpanTextForm, "-1--1:-1:-1"},
        {90061, "%H:%M:%S", "01:01:01"},
        {INT_MIN, kSpanTextForm, "-24855--3:-14:-8"},
        {65, "%%%S %x%", "%05 x%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTimeSpan(c.seconds).Format(c.pattern), c.text) << c.seconds << " " << c.pattern;
}

TEST(TimeSpanTest, ParsesSpanText)
{
    const struct {
        const char* text;
        std::int32_t seconds;
    } cases[] = {
        {"0-01:02:05", 3725},
        {"0-30:00:00", 108000},
        {"0--1:-2:-5", -3725},
        {" 1- 2: 3: 4", 93784},
        {"1 -2:3:4", 86400}, // no white space before a separator
        {"2", 172800},       // numbers not given count as 0
        {"x", 0},
        {"99999999999-0:0:0", static_cast<std::int32_t>(1215752191u * 86400u)},
        {"24856-0:0:0", static_cast<std::int32_t>(24856u * 86400u)}, // wraps like 32 bits
        {"12345-23:59:59", 12345 * 86400 + 86399},
        {"00-01:02:05", 3725},
        {"0-0::00:00", 0}, // the canonical form's shape, not its digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseSpanText(c.text).GetTotalSeconds(), c.seconds) << c.text;
}

TEST(TimeSpanTest, TextFormRoundTrips)
{
    for (std::int32_t seconds : {0, 1, -1, 59, -3725, 90061, 86400 * 400, INT_MAX, INT_MIN, INT_MIN + 1}) {
        EXPECT_EQ(FormatSpanText(seconds), CTimeSpan(seconds).Format(kSpanTextForm)) << seconds;
        EXPECT_EQ(ParseSpanText(FormatSpanText(seconds)).GetTotalSeconds(), seconds) << seconds;
    }
}

TEST(TimeSpanTest, ArithmeticWrapsLike32Bits)
{
    EXPECT_EQ((CTimeSpan(INT_MAX) + CTimeSpan(1)).GetTotalSeconds(), INT_MIN);
    EXPECT_EQ((CTimeSpan(INT_MIN) - CTimeSpan(1)).GetTotalSeconds(), INT_MAX);
    CTimeSpan total(100);
    total -= CTimeSpan(250);
    EXPECT_EQ(total.GetTotalSeconds(), -150);
    EXPECT_LT(total, CTimeSpan(0));
}

TEST(TimeTest, LocalFieldsAndTextFormInUtc)
{
    CScopedTimeZone zone("UTC");
    EXPECT_EQ(CTime(1998, 12, 5, 21, 7, 33).GetTime(), 912892053);
    EXPECT_EQ(FormatTimeText(CTime(912892053)), "1998/12/05-21:07:33");
    EXPECT_EQ(CTime(1970, 1, 1, 0, 0, 0).GetTime(), 0);
    EXPECT_EQ(CTime(1998, 2, 31, 10, 0, 0), CTime(1998, 3, 3, 10, 0, 0));
    EXPECT_EQ(CTime(1998, 12, 5, 25, 0, 0), CTime(1998, 12, 6, 1, 0, 0));
    EXPECT_FALSE(CTime(1969, 12, 31, 23, 59, 59).IsValid());
    EXPECT_FALSE(CTime(INT_MIN, INT_MIN, 1, 0, 0, 0).IsValid());
    EXPECT_FALSE(CTime(-5).IsValid());
    EXPECT_EQ(CTime().Format("%Y"), "");
    EXPECT_EQ(CTime(0).Format("%d/%m/%y:%H%M"), "01/01/70:0000");
}

TEST(TimeTest, DatesAfter2038RoundTrip)
{
    CScopedTimeZone zone("Europe/Berlin");
    const CTime flown(2040, 7, 1, 14, 0, 0);
    ASSERT_TRUE(flown.IsValid());
    EXPECT_EQ(flown.GetTime(), 2224756800); // 12:00 UTC, summer time
    EXPECT_EQ(FormatTimeText(flown), "2040/07/01-14:00:00");
    EXPECT_EQ(ParseTimeText("2040/07/01-14:00:00"), flown);
}

TEST(TimeTest, ParsesTimeTextInBothZones)
{
    const struct {
        const char* zone;
        const char* text;
        std::int64_t utc; // -1 invalid
    } cases[] = {
        {"UTC", "1998/12/05-21:07:33", 912892053},
        {"UTC", "1998/02/31-10:00:00", 888919200},  // 3 March 1998
        {"UTC", "1998/13/05-10:00:00", 912852000},  // month clamped to December
        {"UTC", "1998/00/00-10:00:00", 883648800},  // 1 January
        {"UTC", "1998/12/40-10:00:00", 915098400},  // day clamped to 31
        {"UTC", "1969/06/30-12:00:00", -1},
        {"UTC", "1850/06/30-12:00:00", -1},         // year clamped to 1900
        {"UTC", "1970/01/01-00:00:00", 0},
        {"UTC", " 1998/ 12/ 05- 21: 07: 33", 912892053},
        {"UTC", "2000/5", 957139200},               // 1 May 2000, midnight
        {"UTC", "nonsense", -1},
        {"Europe/Berlin", "2021/07/01-12:00:00", 1625133600},
        {"Europe/Berlin", "2021/01/01-12:00:00", 1609498800},
        {"Europe/Berlin", "1970/01/01-00:00:00", -1}, // 23:00 UTC the day before
    };
    for (const auto& c : cases) {
        CScopedTimeZone zone(c.zone);
        EXPECT_EQ(ParseTimeText(c.text).GetTime(), c.utc) << c.zone << " " << c.text;
    }
}

// A reader or writer of many date-times works out each day once; across a
// change to and from summer time and odd texts it gives what the plain
// conversions give, even where mktime's memory of its last conversion
// decides a time that occurs twice.
TEST(TimeTest, DayTimesAgreeWithThePlainConversions)
{
    CScopedTimeZone zone("Europe/Berlin");
    const std::vector<std::string> texts = {
        "2021/03/28-01:59:59",
        "2021/03/28-02:30:00",
        "2021/03/28-03:00:00",
        "2021/03/29-00:00:00",
        "2021/03/29-23:59:59",
        "2021/03/29-24:00:00",
        "2021/03/29-10:61:00",
        "2021/10/30-10:00:00",
        "2021/10/30-11:00:00",
        "2021/10/31-02:30:00",
        "2021/11/01-10:00:00",
        "2021/11/01-11:00:00",
        "2021/10/31-02:30:00",
        "1970/01/01-00:00:00",
        "1970/01/01-01:00:00",
        "2000/5",
        "nonsense",
        "2021/11/01-12:00:00",
    };
    const auto plain = [&] {
        std::vector<std::int64_t> times;
        ParseTimeText("2021/07/01-12:00:00"); // the same memory to start from
        for (const std::string& text : texts)
            times.push_back(ParseTimeText(text).GetTime());
        return times;
    }();
    const auto cached = [&] {
        std::vector<std::int64_t> times;
        ParseTimeText("2021/07/01-12:00:00");
        CDayTimes days;
        for (const std::string& text : texts)
            times.push_back(days.Parse(text).GetTime());
        return times;
    }();
    EXPECT_EQ(cached, plain);

    CDayTimes days;
    for (const std::int64_t time : plain)
        for (const std::int64_t nLater : {0, 1, 3600, 86399})
            EXPECT_EQ(days.Format(CTime(time + nLater)), FormatTimeText(CTime(time + nLater))) << time;
}

TEST(ClockTextTest, ReadsTypedClockTimes)
{
    const struct {
        const char* text;
        int hours, minutes, seconds;
    } cases[] = {
        {"14:30:15", 14, 30, 15}, {"14:30", 14, 30, 0},   {"14.30", 14, 30, 0},
        {"14h30", 14, 30, 0},     {"1430", 14, 30, 0},    {"930", 9, 30, 0},
        {"5", 0, 5, 0},           {"12345", 123, 45, 0},  {"14:", 14, 0, 0},
        {"-1:30", -1, 30, 0},     {"1430 ", 1430, 0, 0},  {" 1430", 14, 30, 0},
        {"25:99:99", 25, 99, 99}, {"-130", -1, -30, 0},   {"1:2:3:4", 1, 2, 3},
        {"4294967297", 0, 1, 0},  // digits wrap at 32 bits
    };
    for (const auto& c : cases) {
        int h = -7, m = -7, s = -7;
        EXPECT_TRUE(ParseClockText(c.text, h, m, s)) << c.text;
        EXPECT_EQ(h, c.hours) << c.text;
        EXPECT_EQ(m, c.minutes) << c.text;
        EXPECT_EQ(s, c.seconds) << c.text;
    }
    for (const char* text : {"", "   ", ":30", "ab", "+", "- 5"}) {
        int h = -7, m = -7, s = -7;
        EXPECT_FALSE(ParseClockText(text, h, m, s)) << '"' << text << '"';
        EXPECT_EQ(h + m + s, 0) << text;
    }
}

} // namespace
