#pragma once

// Whole hours on the game's calendar of 12 months of 30 days. Elapsed time is always
// the difference of two stamps, so it counts clock-hour boundaries and keeps the
// calendar's jumps: the 31st shares the stamps of the next 1st, and the end of
// February jumps 49 hours (25 in a leap year). Stored stamps rely on this formula.

#include <cstdint>
#include <optional>

namespace gribo {

struct LocalDateTime {
    int year = 1;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
};

// (year - 1) * 8640 + (month - 1) * 720 + (day - 1) * 24 + hour, in 32 bits.
int32_t hourStamp(const LocalDateTime& t);

// The stamp of a stored creation date: the year term in 32 bits, the month, day and
// hour part in 16-bit arithmetic. Empty when that part leaves the 16-bit range.
std::optional<int32_t> creationStamp(int16_t annee, int16_t mois, int16_t jour, int16_t heure);

}  // namespace gribo
