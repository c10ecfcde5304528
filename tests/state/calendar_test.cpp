#include "state/calendar.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "state/hour_stamp.h"

namespace gribo {
namespace {

std::string text(const LocalDateTime& t) {
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) + " " +
           std::to_string(t.hour) + ":" + std::to_string(t.minute);
}

TEST(Calendar, TheNextHourOnTheRealCalendar) {
    const struct {
        const char* what;
        LocalDateTime from, next;
    } cases[] = {
        {"within a day, minutes dropped", {2024, 6, 10, 10, 30}, {2024, 6, 10, 11, 0}},
        {"midnight", {2024, 6, 10, 23, 59}, {2024, 6, 11, 0, 0}},
        {"the 31st exists", {2006, 1, 30, 23, 0}, {2006, 1, 31, 0, 0}},
        {"after the 31st", {2006, 1, 31, 23, 0}, {2006, 2, 1, 0, 0}},
        {"a 30-day month", {2024, 4, 30, 23, 0}, {2024, 5, 1, 0, 0}},
        {"28 February, common year", {2023, 2, 28, 23, 0}, {2023, 3, 1, 0, 0}},
        {"28 February, leap year", {2024, 2, 28, 23, 0}, {2024, 2, 29, 0, 0}},
        {"29 February", {2024, 2, 29, 23, 0}, {2024, 3, 1, 0, 0}},
        {"1900 is no leap year", {1900, 2, 28, 23, 0}, {1900, 3, 1, 0, 0}},
        {"2000 is one", {2000, 2, 28, 23, 0}, {2000, 2, 29, 0, 0}},
        {"year end", {2023, 12, 31, 23, 45}, {2024, 1, 1, 0, 0}},
        {"a day past its month's end goes on from the next 1st", {2024, 4, 31, 23, 0}, {2024, 5, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(nextHour(c.from)), text(c.next)) << c.what;
    }
}

// A year walked hour by hour, with the jumps of the game's hour stamp between
// consecutive hours: -23 after each of the seven 31sts, the end of February's jump.
TEST(Calendar, AYearHourByHourAndTheStampsJumpsOnTheWay) {
    const struct {
        int year;
        int hours;
        std::map<int, int> jumps;  // stamp difference -> times met
    } cases[] = {
        {2023, 8760, {{1, 8760 - 8}, {-23, 7}, {49, 1}}},
        {2024, 8784, {{1, 8784 - 8}, {-23, 7}, {25, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        LocalDateTime t{c.year, 1, 1, 0, 0};
        std::map<int, int> jumps;
        int hours = 0;
        while (t.year == c.year) {
            const LocalDateTime next = nextHour(t);
            ASSERT_TRUE(earlier(t, next)) << text(t);
            ++jumps[hourStamp(next) - hourStamp(t)];
            ++hours;
            t = next;
        }
        EXPECT_EQ(text(t), text({c.year + 1, 1, 1, 0, 0}));
        EXPECT_EQ(hours, c.hours);
        EXPECT_EQ(jumps, c.jumps);
    }
}

}  // namespace
}  // namespace gribo
