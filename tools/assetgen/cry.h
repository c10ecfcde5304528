#pragma once

// Gribo's cry: a short "wah" synthesised from a sung pitch, a few vowel
// formants and a breath of noise.

#include <cstdint>
#include <vector>

namespace gribo::art {

inline constexpr int kCrySampleRate = 22050;

// About 0.68 s of 16-bit mono samples at kCrySampleRate. The same every call.
std::vector<std::int16_t> synthesiseCry();

}  // namespace gribo::art
