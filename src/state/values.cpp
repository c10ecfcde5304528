#include "state/values.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace gribo {
namespace {

// Parses strict decimal into a wide value; digits beyond what int64 holds are
// still a number, just out of range (reported through `overflow`).
bool parseDecimal(std::string_view text, int64_t& out, bool& overflow) {
    overflow = false;
    if (text.empty()) return false;
    bool negative = false;
    std::size_t i = 0;
    if (text[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i == text.size()) return false;
    int64_t v = 0;
    constexpr int64_t kCap = std::numeric_limits<int64_t>::max() / 10 - 10;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        if (v > kCap) {
            overflow = true;  // keep checking the rest is digits
            continue;
        }
        v = v * 10 + (c - '0');
    }
    out = negative ? -v : v;
    if (overflow) out = negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
    return true;
}

template <typename T>
ReadValue<T> readNumber(std::string_view text) {
    int64_t wide = 0;
    bool overflow = false;
    if (!parseDecimal(text, wide, overflow)) return {0, TextStatus::NotANumber};
    constexpr int64_t lo = std::numeric_limits<T>::min();
    constexpr int64_t hi = std::numeric_limits<T>::max();
    if (overflow || wide < lo || wide > hi) {
        return {static_cast<T>(wide < 0 ? lo : hi), TextStatus::OutOfRange};
    }
    return {static_cast<T>(wide), TextStatus::Valid};
}

}  // namespace

ReadValue<int16_t> readInt16(std::string_view text) { return readNumber<int16_t>(text); }
ReadValue<int32_t> readInt32(std::string_view text) { return readNumber<int32_t>(text); }

NumberText numberText(int64_t value) {
    NumberText t{};
    auto res = std::to_chars(t.buf, t.buf + sizeof t.buf, value);
    t.len = static_cast<std::size_t>(res.ptr - t.buf);
    return t;
}

std::string toText(int64_t value) { return std::string(numberText(value).view()); }

int16_t saturate16(int64_t value) {
    if (value > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (value < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(value);
}

}  // namespace gribo
