// Listens to a recording of the game's sound: raw 16-bit little-endian mono PCM, as
// parec writes it. Finds each sound by its loudness and checks that a crying baby
// is heard whole, one cry a second, from its first cry on.
//
//   cry_listener FILE RATE SECONDS MIN_CRIES [SETTLE]
//
// The first SETTLE seconds of the recording (2 by default) are not listened to: while
// a sound server starts, its null sink renders long blocks ahead of time, so what the
// monitor gives then is not on the clock. Looks at SECONDS of the recording from the
// first cry after that. Every sound that starts
// there must be one whole cry: at least 0.6 s long (unless the recording ends it), and
// no longer than a cry (two cries at once, or one started again, are longer), and at
// least MIN_CRIES must be heard. How far each one starts from a second after the one
// before is printed, not held to: that is the machine's timing (make bench measures
// the cry's start). Exits 0 when all holds, 1 when not, 2 on bad arguments or input.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr double kWindow = 0.005;     // loudness is measured over 5 ms
constexpr double kLoud = 0.01;        // -40 dB of full scale: anything above is heard
constexpr double kLongestGap = 0.03;  // a dip shorter than this is inside one sound
constexpr double kWholeCry = 0.6;     // the cry lasts 0.68 s
constexpr double kLongestCry = 0.8;   // nor is any sound longer
constexpr double kPeriod = 1.0;       // one cry per 100 ticks of 10 ms

struct Sound {
    double start;
    double length;
};

std::vector<Sound> soundsIn(const std::vector<std::int16_t>& pcm, int rate) {
    const std::size_t window = static_cast<std::size_t>(kWindow * rate);
    std::vector<Sound> sounds;
    bool inSound = false;
    double start = 0, lastLoud = 0;
    for (std::size_t at = 0; at + window <= pcm.size(); at += window) {
        double energy = 0;
        for (std::size_t i = at; i < at + window; ++i) energy += double(pcm[i]) * double(pcm[i]);
        const bool loud = std::sqrt(energy / double(window)) / 32768.0 > kLoud;
        const double t = double(at) / rate;
        if (loud) {
            if (!inSound || t - lastLoud > kLongestGap) {
                if (inSound) sounds.push_back({start, lastLoud - start});
                start = t;
                inSound = true;
            }
            lastLoud = t + kWindow;
        }
    }
    if (inSound) sounds.push_back({start, lastLoud - start});
    return sounds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: cry_listener FILE RATE SECONDS MIN_CRIES [SETTLE]\n");
        return 2;
    }
    const int rate = std::atoi(argv[2]);
    const double seconds = std::atof(argv[3]);
    const int minCries = std::atoi(argv[4]);
    const double settle = argc == 6 ? std::atof(argv[5]) : 2.0;
    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    if (rate <= 0 || seconds <= 0 || minCries <= 0 || settle < 0) {
        std::fprintf(stderr, "bad rate, length or count\n");
        return 2;
    }
    std::vector<std::int16_t> pcm(bytes.size() / 2);
    for (std::size_t i = 0; i < pcm.size(); ++i) {
        pcm[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                           (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
    }
    const double recorded = double(pcm.size()) / rate;
    std::vector<Sound> sounds = soundsIn(pcm, rate);
    std::erase_if(sounds, [settle](const Sound& s) { return s.start < settle; });
    std::printf("%.1f s recorded, %zu sounds after the first %.1f s\n", recorded, sounds.size(), settle);
    if (sounds.empty()) {
        std::printf("FAIL: nothing was heard\n");
        return 1;
    }
    const double first = sounds.front().start;
    const double end = first + seconds;
    if (recorded < end) {
        std::printf("FAIL: the recording stops %.2f s after the first cry, %.2f s were wanted\n", recorded - first,
                    seconds);
        return 1;
    }
    int whole = 0, faults = 0;
    double furthest = 0;  // from a second after the previous cry
    for (std::size_t i = 0; i < sounds.size() && sounds[i].start < end; ++i) {
        const Sound& s = sounds[i];
        const bool cutByEnd = s.start + kWholeCry > end;
        std::printf("  at %7.3f s: %.3f s of sound", s.start, s.length);
        if (i > 0) {
            const double after = s.start - sounds[i - 1].start;
            std::printf(", %.0f ms after the previous one", 1000 * after);
            furthest = std::max(furthest, std::fabs(after - kPeriod));
        }
        std::printf("\n");
        if (s.length > kLongestCry) {
            std::printf("FAIL: longer than a cry: two at once, or one started again\n");
            ++faults;
        } else if (s.length >= kWholeCry) {
            ++whole;
        } else if (!cutByEnd) {
            std::printf("FAIL: a fragment, not a whole cry\n");
            ++faults;
        }
    }
    std::printf(
        "%d whole cries in %.0f s from the first one (at least %d wanted); each within %.0f ms of a second "
        "after the one before\n",
        whole, seconds, minCries, 1000 * furthest);
    if (whole < minCries) ++faults;
    return faults == 0 ? 0 : 1;
}
