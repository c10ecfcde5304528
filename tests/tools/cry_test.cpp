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

    static inline fs::path dir_;
    static inline std::vector<std::int16_t> samples_;
    static inline std::vector<char> bytes_;
};

// What a player's sound system reads from the header must agree with the file and with
// what was asked for, whatever the length and the rate: a size written wrong cuts the
// cry short or plays noise past its end.
TEST_F(CryFile, TheHeaderAgreesWithTheFileWhateverTheLengthAndRate) {
    const struct {
        std::size_t samples;
        int rate;
    } cases[] = {{0, 22050}, {1, 22050}, {3, 8000}, {samples_.size(), kCrySampleRate}, {44100, 44100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.samples << " samples at " << c.rate << " Hz");
        const std::vector<std::int16_t> samples(c.samples, std::int16_t{-1234});
        const fs::path file = dir_ / "case.wav";
        writeWav(file, samples, c.rate);
        const std::vector<char> b = probe::readBytes(file);
        ASSERT_EQ(b.size(), fs::file_size(file));
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(std::string(b.data(), 4) + std::string(b.data() + 8, 8) + std::string(b.data() + 36, 4),
                  "RIFFWAVEfmt data");
        EXPECT_EQ(probe::le32(b, 4), b.size() - 8) << "RIFF size";
        EXPECT_EQ(probe::le32(b, 40), b.size() - 44) << "data size";
        EXPECT_EQ(probe::le32(b, 40), 2 * c.samples) << "two bytes a sample";
        EXPECT_EQ(probe::le32(b, 24), static_cast<std::uint32_t>(c.rate)) << "rate";
        EXPECT_EQ(probe::le32(b, 28), probe::le32(b, 24) * probe::le16(b, 32)) << "byte rate = rate x block";
    }
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

}  // namespace
}  // namespace gribo::art
