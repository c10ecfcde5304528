#include "foresight/reminder_texts.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <string_view>

namespace gribo::foresight {
namespace {

// Whether `s` is well-formed UTF-8 (shortest forms, no surrogates, no control
// characters): the notification bus refuses anything else.
bool plainUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        if (n == 1 && b < 0x20) return false;
        char32_t c = n == 1 ? b : b & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t >> 6) != 0x2) return false;
            c = (c << 6) | (t & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += n;
    }
    return true;
}

TEST(ReminderTexts, EachReminderHasItsOwnTitleAndABodyInPlainUtf8) {
    std::set<std::string_view> titles;
    for (const ReminderText& t : kReminderTexts) {
        SCOPED_TRACE(t.title);
        EXPECT_FALSE(t.title.empty());
        EXPECT_FALSE(t.body.empty());
        EXPECT_TRUE(plainUtf8(t.title));
        EXPECT_TRUE(plainUtf8(t.body));
        EXPECT_TRUE(titles.insert(t.title).second) << "told the same way as another reminder";
    }
    EXPECT_FALSE(plainUtf8("\xE9t\xE9"));  // Latin-1 "été"
    EXPECT_FALSE(plainUtf8("\xC3\xA9\xC3"));
    EXPECT_TRUE(plainUtf8("\xC3\xA9t\xC3\xA9"));
}

}  // namespace
}  // namespace gribo::foresight
