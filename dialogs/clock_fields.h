#pragma once
// Reading the date and time fields of the record editors.
#include <string_view>

#include "log/time_value.h"

// The number a day, month or year field starts with: leading blanks
// skipped, an optional sign, the digits up to the first other character;
// 0 when there are none. Digits past the range of an int wrap round.
int LeadingNumber(std::string_view text);

// A day field and a clock text typed by the user ("hh:mm:ss", "hh:mm" or
// "hhmm") as one span: days * 86400 + hours * 3600 + minutes * 60 + seconds,
// wrapping like a 32-bit count. False when the clock text does not parse.
bool ParseDayAndClock(int nDays, std::string_view clockText, CTimeSpan& span);
