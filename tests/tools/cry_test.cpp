// Gribo's cry, as written to pleure.wav.

#include "cry.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "asset_probe.h"
#include "assets/catalogue.h"
#include "files.h"

namespace gribo::art {
namespace {

namespace fs = std::filesystem;

class CryFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "gribo-cry-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        samples_ = synthesiseCry();
        writeWav(dir_ / "pleure.wav", samples_, kCrySampleRate);
        bytes_ = probe::readBytes(dir_ / "pleure.wav");
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static double rms(double from, double to) {
        const auto a = static_cast<std::size_t>(from * kCrySampleRate);
        const auto b = std::min(samples_.size(), static_cast<std::size_t>(to * kCrySampleRate));
        double sum = 0.0;
        for (std::size_t i = a; i < b; ++i) sum += static_cast<double>(samples_[i]) * samples_[i];
        return std::sqrt(sum / static_cast<double>(b - a));
    }

    // The pitch in a 40 ms window, between 200 and 1000 Hz: the shortest lag
    // whose autocorrelation nearly matches the best one (longer lags repeat
    // the period and would read an octave low).
    static double pitchAt(double t) {
        const auto start = static_cast<std::size_t>(t * kCrySampleRate);
        const std::size_t window = kCrySampleRate / 25;
        std::vector<double> r;
        const int lo = kCrySampleRate / 1000;
        const int hi = kCrySampleRate / 200;
        for (int lag = lo; lag <= hi; ++lag) {
            double sum = 0.0;
            for (std::size_t i = start; i < start + window; ++i)
                sum += static_cast<double>(samples_[i]) * samples_[i + static_cast<std::size_t>(lag)];
            r.push_back(sum);
        }
        const double best = *std::max_element(r.begin(), r.end());
        for (std::size_t i = 1; i + 1 < r.size(); ++i)
            if (r[i] >= 0.85 * best && r[i] >= r[i - 1] && r[i] >= r[i + 1])
                return static_cast<double>(kCrySampleRate) / (lo + static_cast<int>(i));
        return 0.0;
    }

    static inline fs::path dir_;
    static inline std::vector<std::int16_t> samples_;
    static inline std::vector<char> bytes_;
};

TEST_F(CryFile, HeaderIsMonoSixteenBitPcmAt22050Hz) {
    ASSERT_GE(bytes_.size(), 44u);
    struct Field {
        std::size_t at;
        std::uint32_t value;
        int size;
        const char* what;
    };
    const std::uint32_t data = static_cast<std::uint32_t>(samples_.size() * 2);
    for (const Field& f : {Field{4, 36 + data, 4, "RIFF size"}, Field{16, 16, 4, "fmt size"}, Field{20, 1, 2, "PCM"},
                           Field{22, 1, 2, "channels"}, Field{24, 22050, 4, "rate"}, Field{28, 44100, 4, "byte rate"},
                           Field{32, 2, 2, "block align"}, Field{34, 16, 2, "bits"}, Field{40, data, 4, "data size"}}) {
        const std::uint32_t got = f.size == 4 ? probe::le32(bytes_, f.at) : probe::le16(bytes_, f.at);
        EXPECT_EQ(got, f.value) << f.what;
    }
    EXPECT_EQ(std::string(bytes_.data(), 4), "RIFF");
    EXPECT_EQ(std::string(bytes_.data() + 8, 8), "WAVEfmt ");
    EXPECT_EQ(std::string(bytes_.data() + 36, 4), "data");
    EXPECT_EQ(bytes_.size(), 44u + data);
}

TEST_F(CryFile, TheSamplesAreWrittenLittleEndianAsSynthesised) {
    for (std::size_t i = 0; i < samples_.size(); i += 97)
        ASSERT_EQ(static_cast<std::int16_t>(probe::le16(bytes_, 44 + 2 * i)), samples_[i]) << i;
}

TEST_F(CryFile, LastsAboutTwoThirdsOfASecond) {
    const double seconds = static_cast<double>(samples_.size()) / kCrySampleRate;
    EXPECT_GE(seconds, 0.5);
    EXPECT_LE(seconds, 0.8);
}

TEST_F(CryFile, IsLoudButNeverClips) {
    const auto [lo, hi] = std::minmax_element(samples_.begin(), samples_.end());
    EXPECT_GT(*hi, 8000);
    EXPECT_LT(*hi, 32767);
    EXPECT_GT(*lo, -32768);
    EXPECT_GT(rms(0.2, 0.4), 2000.0);
}

TEST_F(CryFile, StartsSoftlyAndFadesOut) {
    const double middle = rms(0.2, 0.4);
    EXPECT_LT(rms(0.0, 0.01), 0.25 * middle) << "no click at the start";
    EXPECT_LT(rms(0.66, 0.68), 0.25 * middle) << "no click at the end";
    EXPECT_LT(std::abs(samples_.front()), 200);
    EXPECT_LT(std::abs(samples_.back()), 200);
}

TEST_F(CryFile, ThePitchFallsLikeAWah) {
    const double early = pitchAt(0.12);
    const double late = pitchAt(0.5);
    EXPECT_GT(early, 400.0);
    EXPECT_LT(early, 800.0);
    EXPECT_LT(late, early * 0.85);
    EXPECT_GT(late, 250.0);
}

}  // namespace
}  // namespace gribo::art
