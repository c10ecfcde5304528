#include "state/calendar.h"

#include <array>
#include <cstddef>
#include <tuple>

namespace gribo {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    if (month == 2 && isLeapYear(year)) return 29;
    return kDays[static_cast<std::size_t>(month - 1)];
}

LocalDateTime nextHour(const LocalDateTime& t) {
    LocalDateTime n{t.year, t.month, t.day, t.hour + 1, 0};
    if (n.hour < 24) return n;
    n.hour = 0;
    if (++n.day <= daysInMonth(n.year, n.month)) return n;
    n.day = 1;
    if (++n.month <= 12) return n;
    n.month = 1;
    ++n.year;
    return n;
}

bool earlier(const LocalDateTime& a, const LocalDateTime& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute) < std::tie(b.year, b.month, b.day, b.hour, b.minute);
}

bool operator==(const LocalDateTime& a, const LocalDateTime& b) {
    return std::tie(a.year, a.month, a.day, a.hour, a.minute) == std::tie(b.year, b.month, b.day, b.hour, b.minute);
}

}  // namespace gribo
