#include "cry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace gribo::art {
namespace {

constexpr double kSeconds = 0.68;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Smooth step from 0 to 1 as t goes from a to b.
double ease(double t, double a, double b) {
    const double x = std::clamp((t - a) / (b - a), 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}

// The voice: a quick rise from the "w", then a long fall, wobbling a little.
double pitchAt(double t) {
    const double rise = 430.0 + 140.0 * ease(t, 0.0, 0.09);
    const double fall = std::pow(0.64, ease(t, 0.09, kSeconds));
    const double vibrato = 1.0 + (0.012 + 0.03 * ease(t, 0.1, kSeconds)) * std::sin(kTwoPi * 7.0 * t);
    return rise * fall * vibrato;
}

// Loudness: a soft attack, a swell, and a release that trails off.
double envelopeAt(double t) {
    const double attack = ease(t, 0.0, 0.075);
    const double release = 1.0 - ease(t, kSeconds - 0.2, kSeconds);
    const double swell = 0.85 + 0.15 * std::sin(std::numbers::pi * std::clamp(t / kSeconds, 0.0, 1.0));
    return attack * release * swell;
}

struct Formant {
    double from;  // Hz during the "w"
    double to;    // Hz once the mouth is open on "a"
    double width;
    double gain;
};

// A small child's vowel, mouth opening from "oo" to "a".
constexpr Formant kFormants[] = {
    {520.0, 1150.0, 140.0, 1.0},
    {950.0, 1750.0, 180.0, 0.7},
    {3000.0, 3300.0, 300.0, 0.25},
};

double spectralGain(double frequency, double t) {
    const double open = ease(t, 0.02, 0.16) * (1.0 - 0.2 * ease(t, 0.3, kSeconds));
    double gain = 0.04;
    for (const Formant& f : kFormants) {
        const double centre = f.from + (f.to - f.from) * open;
        const double d = (frequency - centre) / f.width;
        gain += f.gain / (1.0 + d * d);
    }
    return gain;
}

}  // namespace

std::vector<std::int16_t> synthesiseCry() {
    const int count = static_cast<int>(kSeconds * kCrySampleRate);
    std::vector<double> wave(static_cast<std::size_t>(count));
    double phase = 0.0;
    std::uint32_t noiseState = 0x2545f491u;
    double breath = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kCrySampleRate;
        const double f0 = pitchAt(t);
        phase = std::fmod(phase + kTwoPi * f0 / kCrySampleRate, kTwoPi);
        double voice = 0.0;
        for (int k = 1; k * f0 < 8000.0; ++k) voice += spectralGain(k * f0, t) / k * std::sin(k * phase);
        noiseState = noiseState * 1664525u + 1013904223u;
        const double white = static_cast<double>(noiseState >> 8) / (1u << 24) * 2.0 - 1.0;
        breath += 0.3 * (white - breath);
        wave[static_cast<std::size_t>(i)] = envelopeAt(t) * (voice + 0.05 * breath);
    }
    double peak = 1e-9;
    for (double s : wave) peak = std::max(peak, std::abs(s));
    std::vector<std::int16_t> samples;
    samples.reserve(wave.size());
    for (double s : wave) samples.push_back(static_cast<std::int16_t>(std::lround(s / peak * 0.6 * 32767.0)));
    return samples;
}

}  // namespace gribo::art
