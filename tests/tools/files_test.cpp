// The file writers of the asset generator.

#include "files.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QGuiApplication>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "asset_probe.h"
#include "generator.h"
#include "sheet.h"

namespace gribo::art {
namespace {

namespace fs = std::filesystem;

class Writers : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "gribo-writers-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(Writers, AGifReadsBackIndexForIndex) {
    Canvas c(5, 3);
    c.set(0, 0, kInk);
    c.set(4, 2, kWhite);
    c.set(2, 1, static_cast<std::uint8_t>(kColourCount - 1));
    writeGif(dir_ / "a.gif", c, kPalette);
    const probe::GifInfo info = probe::readGif(dir_ / "a.gif");
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.width, 5);
    EXPECT_EQ(info.height, 3);
    EXPECT_EQ(info.raster, c.pixels());
    EXPECT_EQ(info.transparent, kClear);
}

TEST_F(Writers, ASmallPaletteIsPaddedToAPowerOfTwo) {
    const Rgb three[] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}};
    Canvas c(2, 2, 2);
    writeGif(dir_ / "b.gif", c, three, 1);
    const probe::GifInfo info = probe::readGif(dir_ / "b.gif");
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.palette.size(), 4u);
    EXPECT_EQ(info.transparent, 1);
}

TEST_F(Writers, RefuseWhatTheFormatCannotHold) {
    struct Case {
        const char* what;
        std::function<void()> write;
    };
    Canvas outside(2, 2, kInk);
    outside.set(1, 1, 200);
    Canvas holed(2, 2, kWhite);
    holed.set(0, 0, kClear);
    const Case cases[] = {
        {"a pixel outside the palette", [&] { writeGif(dir_ / "c.gif", outside, kPalette); }},
        {"a transparent pixel in a background", [&] { writeBmp(dir_ / "d.bmp", holed); }},
        {"a folder that does not exist", [&] { writeGif(dir_ / "no" / "e.gif", holed, kPalette); }},
        {"a WAV in a folder that does not exist",
         [&] {
             writeWav(dir_ / "no" / "f.wav", {1, 2}, 22050);
         }},
    };
    for (const Case& k : cases) EXPECT_THROW(k.write(), std::runtime_error) << k.what;
}

TEST_F(Writers, ImagesKeepTheTransparentIndexSeeThrough) {
    Canvas c(2, 1);
    c.set(1, 0, kRed);
    const QImage image = toImage(c);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(1, 0), qRgb(kPalette[kRed].r, kPalette[kRed].g, kPalette[kRed].b));
}

TEST_F(Writers, TheSheetHasOneLabelledTilePerPicture) {
    if (!QGuiApplication::instance()) {
        static int argc = 1;
        static char name[] = "gribo_assetgen_tests";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }
    generateAll(dir_);
    writeSheet(dir_, dir_ / "sheet.png", "crotte");
    const QImage sheet = probe::readImage(dir_ / "sheet.png");
    ASSERT_FALSE(sheet.isNull());
    // Five droppings pictures in one row of tiles, each the 110 x 95 scene at 3x.
    EXPECT_EQ(sheet.width(), 5 * (330 + 4) + 4);
    EXPECT_EQ(sheet.height(), 285 + 18 + 4 + 4);
    EXPECT_THROW(writeSheet(dir_, dir_ / "none.png", "no such picture"), std::runtime_error);
}

}  // namespace
}  // namespace gribo::art
