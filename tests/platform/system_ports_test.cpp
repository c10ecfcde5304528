// The system's clock, read against the C library's own local time: the hour a store is
// stamped with is the one the player's clock shows.

#include "platform/system_ports.h"

#include <gtest/gtest.h>

#include <ctime>

namespace gribo::platform {
namespace {

LocalDateTime libcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min};
}

bool same(const LocalDateTime& a, const LocalDateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute;
}

// Across the hour (the pass on a fast wall clock) the minute may change between two
// readings: the clock's reading is one of the two around it.
TEST(SystemClock, ReadsTheLocalDateAndTimeTheSystemShows) {
    const SystemClock clock;
    for (int i = 0; i < 50; ++i) {
        const LocalDateTime before = libcNow();
        const LocalDateTime now = clock.now();
        const LocalDateTime after = libcNow();
        EXPECT_TRUE(same(now, before) || same(now, after))
            << now.year << "-" << now.month << "-" << now.day << " " << now.hour << ":" << now.minute;
    }
}

}  // namespace
}  // namespace gribo::platform
