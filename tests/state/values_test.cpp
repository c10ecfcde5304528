#include "state/values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "state/hour_stamp.h"
#include "state/store.h"
#include "support/fakes.h"

namespace gribo {
namespace {

TEST(StoredText, StrictDecimalReadsAndEverythingElseFollowsOnePolicy) {
    const struct {
        const char* text;
        int16_t value;
        TextStatus status;
    } cases[] = {
        {"0", 0, TextStatus::Valid},
        {"-100", -100, TextStatus::Valid},
        {"32767", 32767, TextStatus::Valid},
        {"-32768", -32768, TextStatus::Valid},
        {"007", 7, TextStatus::Valid},
        {"", 0, TextStatus::NotANumber},
        {"-", 0, TextStatus::NotANumber},
        {" 5", 0, TextStatus::NotANumber},
        {"+5", 0, TextStatus::NotANumber},
        {"5.5", 0, TextStatus::NotANumber},
        {"12abc", 0, TextStatus::NotANumber},
        {"32768", 32767, TextStatus::OutOfRange},
        {"-32769", -32768, TextStatus::OutOfRange},
        {"99999999999999999999999999", 32767, TextStatus::OutOfRange},
        {"-99999999999999999999999999", -32768, TextStatus::OutOfRange},
    };
    for (const auto& c : cases) {
        const auto r = readInt16(c.text);
        EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(r.status, c.status) << '"' << c.text << '"';
    }
    EXPECT_EQ(readInt32("17532009").value, 17532009);
    EXPECT_EQ(readInt32("2147483648").status, TextStatus::OutOfRange);
}

TEST(StoredText, NumbersAreWrittenAsPlainDecimal) {
    EXPECT_EQ(toText(0), "0");
    EXPECT_EQ(toText(-100), "-100");
    EXPECT_EQ(toText(-70), "-70");
    EXPECT_EQ(toText(17532009), "17532009");
    EXPECT_EQ(saturate16(40000), 32767);
    EXPECT_EQ(saturate16(-40000), -32768);
    EXPECT_EQ(saturate16(-32668 - 100), -32768);
}

TEST(HourStampCalendar, WorkedValuesAndTheCalendarsJumps) {
    auto at = [](int y, int mo, int d, int h) { return hourStamp({y, mo, d, h, 0}); };
    EXPECT_EQ(at(2006, 3, 7, 9), 2005 * 8640 + 2 * 720 + 6 * 24 + 9);
    EXPECT_EQ(at(2006, 3, 1, 0) - at(2006, 2, 28, 23), 49);  // common year
    EXPECT_EQ(at(2008, 3, 1, 0) - at(2008, 2, 29, 23), 25);  // leap year
    EXPECT_EQ(at(2006, 2, 1, 0) - at(2006, 1, 31, 23), -23);
    EXPECT_EQ(at(2006, 1, 31, 5), at(2006, 2, 1, 5));
    EXPECT_EQ(at(2007, 1, 1, 0) - at(2006, 12, 31, 23), -23);
    EXPECT_EQ(at(2007, 1, 1, 0) - at(2006, 12, 30, 23), 1);
    EXPECT_EQ(at(2024, 6, 1, 12) - at(2024, 6, 1, 11), 1);
}

TEST(HourStampCalendar, CreationStampUsesSixteenBitsForMonthDayAndHour) {
    EXPECT_EQ(creationStamp(2006, 3, 7, 9), hourStamp({2006, 3, 7, 9, 0}));
    EXPECT_EQ(creationStamp(2006, 12, 31, 23), hourStamp({2006, 12, 31, 23, 0}));
    EXPECT_FALSE(creationStamp(2006, 100, 1, 0).has_value());     // 99 * 720 overflows
    EXPECT_FALSE(creationStamp(2006, 1, 2000, 0).has_value());    // 1999 * 24 overflows
    EXPECT_FALSE(creationStamp(2006, 46, 1, 23000).has_value());  // the sum overflows
}

TEST(StoreCache, SkipsWritingWhatIsAlreadyStored) {
    test::MemoryStore backend;
    Store store(backend);
    store.set(Key::Caca, "0");
    store.set(Key::Caca, "0");
    store.setNumber(Key::Caca, 0);
    EXPECT_EQ(backend.log.size(), 1u);
    store.setNumber(Key::Caca, 2);
    EXPECT_EQ(backend.log.size(), 2u);
    EXPECT_EQ(backend.get(Key::Caca), "2");
}

TEST(StoreCache, AValueChangedInTheBackendSinceIsWrittenAgain) {
    test::MemoryStore backend;
    Store store(backend);
    store.set(Key::Faim, "0");     // the vet's cure
    backend.put(Key::Faim, "42");  // the backend read its file again: the player changed it
    store.set(Key::Faim, "0");     // a second cure
    EXPECT_EQ(backend.get(Key::Faim), "0");
    EXPECT_EQ(backend.log.size(), 2u);
}

TEST(StoreCache, ADetachedStoreKeepsItsOwnCopyAndLeavesTheBackendAlone) {
    test::MemoryStore backend;
    backend.put(Key::Faim, "300");
    Store store(backend);
    store.detachAfter([](SettingsStore& s) { s.write("stats", "faim", "wiped"); });
    EXPECT_EQ(backend.get(Key::Faim), "wiped");
    EXPECT_EQ(store.get(Key::Faim), "300");
    store.set(Key::Faim, "400");
    EXPECT_EQ(store.get(Key::Faim), "400");
    EXPECT_EQ(backend.get(Key::Faim), "wiped");
    EXPECT_EQ(backend.log.size(), 1u);
}

}  // namespace
}  // namespace gribo
