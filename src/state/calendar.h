#pragma once

// The local civil calendar as the clock gives it: Gregorian, months of 28 to 31 days.
// The hour stamp lives on a calendar of its own; this one is for walking the real
// clock ahead of time. It knows dates and hours, not instants: an hour that a change
// to or from summer time skips or repeats is still one step of the walk.

#include "state/hour_stamp.h"

namespace gribo {

bool isLeapYear(int year);

// The days of `month` (1..12) in `year`: 28 to 31. A month outside 1..12 has 31.
int daysInMonth(int year, int month);

// The start (minute 0) of the clock hour after the one `t` falls in: over midnight,
// the end of a month (the 31st, 28 or 29 February) and the end of the year. A date
// past the end of its month, which no clock gives, goes on from the next month's 1st.
LocalDateTime nextHour(const LocalDateTime& t);

// Whether `a` comes before `b` on the clock, and whether they are the same time.
bool earlier(const LocalDateTime& a, const LocalDateTime& b);
bool operator==(const LocalDateTime& a, const LocalDateTime& b);

}  // namespace gribo
