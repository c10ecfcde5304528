// The files the generator writes, looked at the way the game will look at them.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "asset_probe.h"
#include "entries.h"
#include "generator.h"
#include "icons.h"
#include "layout.h"

namespace gribo::art {
namespace {

namespace fs = std::filesystem;
using probe::countOpaque;
using probe::opaque;
using probe::readGif;
using probe::readImage;

fs::path makeTempDir(const char* stem) {
    std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

// The generator runs once for the whole suite; every test reads its output. It runs
// with a private umask, which must not make the files private.
class GeneratedAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = makeTempDir("gribo-assets");
        const mode_t umaskBefore = umask(077);
        written_ = generateAll(dir_);
        umask(umaskBefore);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    static fs::path file(std::string_view catalogPath) { return dir_ / asset::toRelativeFile(catalogPath); }
    static QImage image(std::string_view catalogPath) { return readImage(file(catalogPath)); }
    static std::string name(std::string_view catalogPath) { return asset::toRelativeFile(catalogPath); }

    static std::vector<Entry> entries(std::initializer_list<Family> families) {
        std::vector<Entry> out;
        for (const Entry& e : kEntries)
            if (std::find(families.begin(), families.end(), e.family) != families.end()) out.push_back(e);
        return out;
    }
    // Everything shown in the pet slot, in front of the room.
    static std::vector<Entry> petPictures() {
        return entries(
            {Family::Egg, Family::Idle, Family::Meat, Family::Milk, Family::Sick, Family::Bath, Family::Crying});
    }

    static inline fs::path dir_;
    static inline std::vector<fs::path> written_;
};

// ---- Names and formats -------------------------------------------------------------

TEST_F(GeneratedAssets, WritesExactlyTheCatalogueTheVetsPictureAndTheIcons) {
    std::set<std::string> expected{std::string(kVetPictureFile)};
    for (int size : kIconSizes) expected.insert(iconFile(size));
    for (const Entry& e : kEntries) expected.insert(name(e.path));
    ASSERT_EQ(expected.size(), kEntries.size() + 1 + kIconSizes.size());
    std::set<std::string> found;
    for (const auto& item : fs::recursive_directory_iterator(dir_))
        if (item.is_regular_file()) found.insert(fs::relative(item.path(), dir_).generic_string());
    EXPECT_EQ(found, expected);
    EXPECT_EQ(written_.size(), expected.size());
}

TEST_F(GeneratedAssets, EveryFileIsReadableByEveryUser) {
    for (const fs::path& file : written_)
        EXPECT_EQ(fs::status(file).permissions(), fs::perms(0644)) << fs::relative(file, dir_);
}

TEST_F(GeneratedAssets, EveryPictureDecodesAtTheSizeOfItsSlot) {
    struct Size {
        int width, height;
        const char* format;
    };
    const std::map<Family, Size> kSizes = {
        {Family::Background, {94, 87, "bmp"}}, {Family::BathBackground, {94, 87, "bmp"}},
        {Family::Blank, {102, 87, "gif"}},     {Family::Sky, {80, 80, "gif"}},
        {Family::Egg, {94, 87, "gif"}},        {Family::Idle, {94, 87, "gif"}},
        {Family::Meat, {94, 87, "gif"}},       {Family::Milk, {94, 87, "gif"}},
        {Family::Sick, {94, 87, "gif"}},       {Family::Bath, {94, 87, "gif"}},
        {Family::Crying, {94, 87, "gif"}},     {Family::Droppings, {102, 87, "gif"}},
    };
    for (const Entry& e : kEntries) {
        if (e.format == Format::Wav) continue;
        const Size want = kSizes.at(e.family);
        QImageReader reader(QString::fromStdString(file(e.path).string()));
        EXPECT_EQ(reader.format().toStdString(), want.format) << name(e.path) << ": told by its content";
        const QImage picture = reader.read();
        ASSERT_FALSE(picture.isNull()) << name(e.path) << ": " << reader.errorString().toStdString();
        EXPECT_EQ(picture.width(), want.width) << name(e.path);
        EXPECT_EQ(picture.height(), want.height) << name(e.path);
    }
}

// One still image each, with one transparent index that is exactly the see-through
// pixels; the scene's pictures all share the game's palette.
TEST_F(GeneratedAssets, EveryGifIsOneStillImageWithATransparentIndex) {
    std::vector<fs::path> gifs{dir_ / kVetPictureFile};
    for (const Entry& e : kEntries)
        if (e.format == Format::Gif) gifs.push_back(file(e.path));
    ASSERT_EQ(gifs.size(), 60u);
    for (const fs::path& path : gifs) {
        const probe::GifInfo info = readGif(path);
        ASSERT_TRUE(info.ok) << path;
        EXPECT_EQ(info.images, 1) << path;
        EXPECT_FALSE(info.looping) << path;
        if (path != dir_ / kVetPictureFile) {
            EXPECT_TRUE(std::equal(info.palette.begin(), info.palette.end(), kPalette.begin(), kPalette.end())) << path;
            EXPECT_EQ(info.transparent, kClear) << path;
        }
        const QImage decoded = readImage(path);
        ASSERT_EQ(info.raster.size(), static_cast<std::size_t>(decoded.width() * decoded.height())) << path;
        int mismatches = 0;
        for (int y = 0; y < decoded.height(); ++y)
            for (int x = 0; x < decoded.width(); ++x) {
                const bool clear = info.raster[static_cast<std::size_t>(y * decoded.width() + x)] == info.transparent;
                mismatches += clear ? qAlpha(decoded.pixel(x, y)) != 0 : qAlpha(decoded.pixel(x, y)) != 255;
            }
        EXPECT_EQ(mismatches, 0) << path;
    }
}

TEST_F(GeneratedAssets, TheBlankPictureShowsNothing) {
    const QImage blank = image(asset::kVide);
    ASSERT_FALSE(blank.isNull());
    EXPECT_EQ(countOpaque(blank), 0);
}

// ---- The room and the sky ------------------------------------------------------------

bool inPane(int x, int y) { return x >= kPaneLeft && x <= kPaneRight && y >= kPaneTop && y <= kPaneBottom; }

TEST_F(GeneratedAssets, SkiesPaintThePaneAndNothingElse) {
    for (const Entry& e : entries({Family::Sky})) {
        const QImage sky = image(e.path);
        int wrong = 0;
        for (int y = 0; y < sky.height(); ++y)
            for (int x = 0; x < sky.width(); ++x) wrong += opaque(sky, x, y) != inPane(x, y);
        EXPECT_EQ(wrong, 0) << name(e.path);
        EXPECT_EQ(qAlpha(sky.pixel(kPaneLeft, kPaneTop)), 255) << name(e.path);
        EXPECT_EQ(qAlpha(sky.pixel(kPaneRight, kPaneBottom)), 255) << name(e.path);
    }
}

TEST_F(GeneratedAssets, TheFourSkiesAreDifferentAndColourful) {
    const std::vector<Entry> skies = entries({Family::Sky});
    ASSERT_EQ(skies.size(), 4u);
    for (std::size_t i = 0; i < skies.size(); ++i) {
        const QImage a = image(skies[i].path);
        std::set<QRgb> colours;
        for (int y = kPaneTop; y <= kPaneBottom; ++y)
            for (int x = kPaneLeft; x <= kPaneRight; ++x) colours.insert(a.pixel(x, y));
        EXPECT_GE(colours.size(), 5u) << name(skies[i].path) << " is more than a flat fill";
        for (std::size_t j = i + 1; j < skies.size(); ++j)
            EXPECT_NE(a, image(skies[j].path)) << name(skies[i].path) << " vs " << name(skies[j].path);
    }
}

TEST_F(GeneratedAssets, BackgroundsAreOpaqueTwentyFourBitBitmaps) {
    for (const Entry& e : entries({Family::Background, Family::BathBackground})) {
        const std::vector<char> bytes = probe::readBytes(file(e.path));
        ASSERT_GE(bytes.size(), 54u) << name(e.path);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(probe::le16(bytes, 28), 24) << name(e.path) << ": bits per pixel";
        EXPECT_EQ(probe::le32(bytes, 30), 0u) << name(e.path) << ": no compression";
        const QImage room = image(e.path);
        EXPECT_EQ(countOpaque(room), room.width() * room.height()) << name(e.path);
    }
}

TEST_F(GeneratedAssets, BothRoomsFrameThePaneWhereTheSkyGoes) {
    // The pane's edge is a dark line just outside the sky's rectangle.
    const QRgb ink = qRgb(kPalette[kInk].r, kPalette[kInk].g, kPalette[kInk].b);
    for (const Entry& e : entries({Family::Background, Family::BathBackground})) {
        const QImage room = image(e.path);
        int wrong = 0;
        for (int x = kPaneLeft; x <= kPaneRight; ++x) {
            wrong += room.pixel(x, kPaneTop - 1) != ink;
            wrong += room.pixel(x, kPaneBottom + 1) != ink;
        }
        for (int y = kPaneTop; y <= kPaneBottom; ++y) {
            wrong += room.pixel(kPaneLeft - 1, y) != ink;
            wrong += room.pixel(kPaneRight + 1, y) != ink;
        }
        EXPECT_EQ(wrong, 0) << name(e.path);
    }
}

// ---- Gribo in his room -----------------------------------------------------------------

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    int width() const { return right - left + 1; }
};

Box opaqueBox(const QImage& picture) {
    Box b;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (opaque(picture, x, y)) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

TEST_F(GeneratedAssets, PetPicturesStayOutOfTheWindowAndStandOnTheFloor) {
    for (const Entry& e : petPictures()) {
        const QImage pet = image(e.path);
        int inWindow = 0;
        for (int y = kPaneTop; y <= kPaneBottom; ++y)
            for (int x = kPaneLeft; x <= kPaneRight; ++x) inWindow += opaque(pet, x, y);
        EXPECT_EQ(inWindow, 0) << name(e.path) << " would be hidden by the sky";
        const Box box = opaqueBox(pet);
        ASSERT_GE(box.bottom, 0) << name(e.path) << " is empty";
        EXPECT_GE(box.bottom, kFloorTop) << name(e.path);
        EXPECT_LT(box.bottom, kRoomHeight) << name(e.path);
    }
}

TEST_F(GeneratedAssets, NeighbouringIdleFramesDifferOnlySlightly) {
    // A random walk steps once a second between neighbours: each step must
    // show a change, and a small one.
    constexpr int kMostChangedPixels = 600;  // about one creature's worth, a 14th of the picture
    for (int n = 1; n < kIdleFrames; ++n) {
        const QImage a = image(asset::idleFrame(n));
        const QImage b = image(asset::idleFrame(n + 1));
        int changed = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) changed += a.pixel(x, y) != b.pixel(x, y);
        EXPECT_GT(changed, 0) << "frames " << n << " and " << n + 1;
        EXPECT_LE(changed, kMostChangedPixels) << "frames " << n << " and " << n + 1;
    }
}

TEST_F(GeneratedAssets, TheIdleWalkCrossesTheRoomInSmallSteps) {
    double previous = -1.0;
    for (int n = 1; n <= kIdleFrames; ++n) {
        const QImage frame = image(asset::idleFrame(n));
        double sum = 0.0;
        int count = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (opaque(frame, x, y)) {
                    sum += x;
                    ++count;
                }
        ASSERT_GT(count, 0) << "frame " << n;
        const double centre = sum / count;
        if (n > 1) {
            EXPECT_GT(centre, previous) << "frame " << n;
            EXPECT_LT(centre - previous, 6.0) << "frame " << n;
        }
        EXPECT_LE(opaqueBox(frame).width(), 30) << "frame " << n << " shows one small creature";
        previous = centre;
    }
}

TEST_F(GeneratedAssets, TheHatchingEndsInThePoseOfIdleFrameNine) {
    const QImage idle = image(asset::idleFrame(9));
    const QImage hatched = image(asset::kOeuf[10]);
    int baby = 0;
    int same = 0;
    for (int y = 0; y < idle.height(); ++y)
        for (int x = 0; x < idle.width(); ++x)
            if (opaque(idle, x, y)) {
                ++baby;
                same += idle.pixel(x, y) == hatched.pixel(x, y);
            }
    ASSERT_GT(baby, 0);
    EXPECT_GE(same, baby * 95 / 100);
    EXPECT_GT(countOpaque(hatched), baby) << "the broken shell lies around him";
}

TEST_F(GeneratedAssets, TheMeatStaysWholeWhileTheChewingPlaysBackAndForth) {
    // F6..F9 then F8, F7, F6: the meat must not grow back between them. He
    // holds it on his right, past his mouth.
    const QRgb meat = qRgb(kPalette[kRed].r, kPalette[kRed].g, kPalette[kRed].b);
    auto meatPixels = [&](int n) {
        const QImage frame = image(asset::kViande[static_cast<std::size_t>(n - 1)]);
        int count = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = walkX(8) + 3; x < frame.width(); ++x) count += frame.pixel(x, y) == meat;
        return count;
    };
    const int first = meatPixels(1);
    const int f6 = meatPixels(6);
    EXPECT_LT(f6, first) << "two bites are gone by F6";
    for (int n = 7; n <= 9; ++n) EXPECT_NEAR(meatPixels(n), f6, 4) << "F" << n;
}

TEST_F(GeneratedAssets, TheMilkGoesDownAsHeDrinksAndTheBottleEndsEmpty) {
    // Milk is the white in the bottle, which he holds on his right.
    const QRgb milk = qRgb(kPalette[kWhite].r, kPalette[kWhite].g, kPalette[kWhite].b);
    auto milkPixels = [&](int n) {
        const QImage frame = image(asset::kMilk[static_cast<std::size_t>(n - 1)]);
        int count = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = walkX(8) + 9; x < frame.width(); ++x) count += frame.pixel(x, y) == milk;
        return count;
    };
    EXPECT_GT(milkPixels(1), 20) << "a full bottle to start with";
    EXPECT_GT(milkPixels(3), milkPixels(4));
    EXPECT_GT(milkPixels(4), milkPixels(5));
    EXPECT_NEAR(milkPixels(5), milkPixels(6), 3) << "F5 and F6 alternate: the level must not jump";
    EXPECT_EQ(milkPixels(7), 0);
}

// ---- Droppings ---------------------------------------------------------------------------

// The boxes of the groups of touching opaque pixels big enough to be a pile
// (a whiff of smell is a few loose pixels).
std::vector<Box> findPiles(const QImage& picture) {
    std::vector<int> seen(static_cast<std::size_t>(picture.width() * picture.height()), 0);
    std::vector<Box> piles;
    for (int y0 = 0; y0 < picture.height(); ++y0)
        for (int x0 = 0; x0 < picture.width(); ++x0) {
            if (!opaque(picture, x0, y0) || seen[static_cast<std::size_t>(y0 * picture.width() + x0)]) continue;
            int size = 0;
            Box box;
            std::vector<std::pair<int, int>> todo{{x0, y0}};
            seen[static_cast<std::size_t>(y0 * picture.width() + x0)] = 1;
            while (!todo.empty()) {
                const auto [x, y] = todo.back();
                todo.pop_back();
                ++size;
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= picture.width() || ny >= picture.height()) continue;
                    int& mark = seen[static_cast<std::size_t>(ny * picture.width() + nx)];
                    if (mark || !opaque(picture, nx, ny)) continue;
                    mark = 1;
                    todo.push_back({nx, ny});
                }
            }
            if (size >= 30) piles.push_back(box);
        }
    return piles;
}

TEST_F(GeneratedAssets, DroppingsPictureNShowsNPilesOnTheFloor) {
    for (int n = 1; n <= 5; ++n) {
        const QImage picture = image(asset::droppings(n));
        const std::vector<Box> piles = findPiles(picture);
        EXPECT_EQ(piles.size(), static_cast<std::size_t>(n)) << name(asset::droppings(n));
        for (const Box& pile : piles) {
            EXPECT_GE(pile.top, kFloorTop) << name(asset::droppings(n)) << ": piles lie on the floor";
            EXPECT_LE(pile.width(), 15) << name(asset::droppings(n)) << ": piles are small";
        }
        EXPECT_GE(opaqueBox(picture).left, kDroppingsShift) << "piles stay inside the room";
    }
}

TEST_F(GeneratedAssets, DroppingsNeverHideGribosFace) {
    // The droppings lie in front of the pet; only his feet, the bottom rows
    // above the floor he stands on, may be behind one.
    constexpr int kFeet = kFootRow - 4;
    for (int n = 1; n <= 5; ++n) {
        const QImage droppings = image(asset::droppings(n));
        for (const Entry& e :
             entries({Family::Idle, Family::Meat, Family::Milk, Family::Crying, Family::Sick, Family::Egg})) {
            const QImage pet = image(e.path);
            int hidden = 0;
            for (int y = 0; y < kFeet; ++y)
                for (int x = 0; x < pet.width(); ++x)
                    hidden += opaque(pet, x, y) && opaque(droppings, x + kDroppingsShift, y);
            EXPECT_EQ(hidden, 0) << name(asset::droppings(n)) << " over " << name(e.path);
        }
    }
}

// ---- The pictures built into the program ---------------------------------------------------

TEST_F(GeneratedAssets, TheVetPictureIsTheSyringeAndBottleInItsSixteenColours) {
    const fs::path path = dir_ / kVetPictureFile;
    const probe::GifInfo info = readGif(path);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.width, 18);
    EXPECT_EQ(info.height, 25);
    EXPECT_EQ(info.palette.size(), 16u);
    const std::set<QRgb> allowed = {qRgb(0, 0, 0),       qRgb(31, 31, 193), qRgb(39, 35, 255),   qRgb(255, 0, 0),
                                    qRgb(112, 112, 112), qRgb(51, 255, 0),  qRgb(214, 214, 214), qRgb(255, 255, 255)};
    const QImage picture = readImage(path);
    std::set<QRgb> used;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (opaque(picture, x, y)) used.insert(picture.pixel(x, y));
    EXPECT_EQ(used, allowed);
    EXPECT_LT(countOpaque(picture), 18 * 25) << "the picture has transparent parts";
    // Needle up: the top row is one black pixel.
    int top = 0;
    for (int x = 0; x < 18; ++x) top += opaque(picture, x, 0);
    EXPECT_EQ(top, 1);
}

// Every size is hard-edged pixel art of Gribo's face in the game's colours; the big
// ones are exact enlargements of a small one, never a smoothed resample.
TEST_F(GeneratedAssets, EveryIconIsCrispPixelArtOfGribosFace) {
    const std::map<int, int> kEnlargedFrom = {{48, 24}, {64, 32}, {128, 32}, {256, 32}};
    std::set<QRgb> palette;
    for (const Rgb& c : kPalette) palette.insert(qRgb(c.r, c.g, c.b));
    std::set<QRgb> fur;
    for (Colour c : {kBodyLight, kBodyMid, kBodyDark}) fur.insert(qRgb(kPalette[c].r, kPalette[c].g, kPalette[c].b));
    for (int size : kIconSizes) {
        const QImage icon = readImage(dir_ / iconFile(size));
        ASSERT_EQ(icon.size(), QSize(size, size)) << size;
        int furPixels = 0, strays = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb p = icon.pixel(x, y);
                furPixels += fur.count(p) > 0;
                strays += qAlpha(p) != 0 && (qAlpha(p) != 255 || !palette.count(p));
            }
        EXPECT_EQ(strays, 0) << size << ": pixels half clear or out of the palette";
        EXPECT_GT(furPixels, size * size / 4) << size << ": Gribo fills the icon";
        for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << size;
        if (kEnlargedFrom.count(size)) {
            const QImage small = readImage(dir_ / iconFile(kEnlargedFrom.at(size)));
            EXPECT_EQ(icon, small.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)) << size;
        }
    }
}

// ---- The same files every time -------------------------------------------------------------

TEST_F(GeneratedAssets, TwoRunsWriteIdenticalBytes) {
    const fs::path again = makeTempDir("gribo-assets-again");
    const std::vector<fs::path> second = generateAll(again);
    ASSERT_EQ(second.size(), written_.size());
    for (const fs::path& first : written_) {
        const fs::path relative = fs::relative(first, dir_);
        EXPECT_EQ(probe::readBytes(first), probe::readBytes(again / relative)) << relative;
    }
    fs::remove_all(again);
}

}  // namespace
}  // namespace gribo::art
