#pragma once

// Number <-> text for stored values. The game only ever writes plain decimal text
// ("-100", "0", "17532009"); reading is strict decimal with an optional leading minus.
// One policy for text that does not read: empty or not a number gives 0, a number
// outside the field's range is clamped to it, and the caller is told so it can
// write the repaired value back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace gribo {

enum class TextStatus {
    Valid,       // plain decimal within range
    NotANumber,  // empty, or anything that is not strict decimal
    OutOfRange,  // decimal, but outside the field's range: clamped
};

template <typename T>
struct ReadValue {
    T value;
    TextStatus status;
    bool ok() const { return status == TextStatus::Valid; }
};

ReadValue<int16_t> readInt16(std::string_view text);
ReadValue<int32_t> readInt32(std::string_view text);

// Decimal text: no leading zeros, no spaces, a minus sign only for negatives.
std::string toText(int64_t value);

// Small fixed buffer for the hot path: formats without touching the heap.
struct NumberText {
    char buf[24];
    std::size_t len;
    std::string_view view() const { return {buf, len}; }
};
NumberText numberText(int64_t value);

// 16-bit arithmetic that holds at the ends of the range instead of wrapping.
int16_t saturate16(int64_t value);

}  // namespace gribo
