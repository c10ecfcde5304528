// The drawing primitives of the asset generator.

#include "canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <utility>
#include <vector>

#include "frames.h"

namespace gribo::art {
namespace {

TEST(Canvas, ReadsOutsideAreClearAndWritesOutsideAreDropped) {
    Canvas c(4, 3, kWhite);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {100, 100}}) {
        c.set(x, y, kInk);
        EXPECT_EQ(c.at(x, y), kClear) << x << "," << y;
    }
    EXPECT_EQ(c.countNot(kWhite), 0u);
}

TEST(Canvas, EllipsesAreSymmetricAndAboutTheRightArea) {
    struct Case {
        int w, h;
    };
    for (Case k : std::vector<Case>{{1, 1}, {2, 2}, {5, 5}, {7, 4}, {21, 19}, {30, 11}}) {
        Canvas c(k.w + 4, k.h + 4);
        c.fillEllipse(2, 2, k.w, k.h, kInk);
        const Canvas flipped = c.mirrored();
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                // Left-right and top-bottom mirror images of themselves, inside the box.
                EXPECT_EQ(c.at(x, y), c.at(x, c.height() - 1 - y)) << k.w << "x" << k.h;
                EXPECT_EQ(c.at(x, y), flipped.at(x, y)) << k.w << "x" << k.h;
                if (x < 2 || y < 2 || x >= 2 + k.w || y >= 2 + k.h) {
                    EXPECT_EQ(c.at(x, y), kClear);
                }
            }
        const double area = std::numbers::pi * k.w * k.h / 4.0;
        EXPECT_NEAR(static_cast<double>(c.countNot(kClear)), area, 0.15 * area + 2.0) << k.w << "x" << k.h;
    }
}

TEST(Canvas, ShadedEllipseUsesOnlyItsThreeShadesAndTheSameShape) {
    Canvas flat(30, 30);
    Canvas shaded(30, 30);
    flat.fillEllipse(3, 4, 21, 19, kInk);
    shaded.fillShadedEllipse(3, 4, 21, 19, kBodyLight, kBodyMid, kBodyDark);
    int counts[kColourCount] = {};
    double sumX[kColourCount] = {};
    double sumY[kColourCount] = {};
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            EXPECT_EQ(flat.at(x, y) == kClear, shaded.at(x, y) == kClear);
            const std::uint8_t p = shaded.at(x, y);
            ++counts[p];
            sumX[p] += x;
            sumY[p] += y;
        }
    ASSERT_GT(counts[kBodyLight], 0);
    ASSERT_GT(counts[kBodyDark], 0);
    EXPECT_GT(counts[kBodyMid], counts[kBodyLight] + counts[kBodyDark]);
    // Lit from the top left: the light shade sits above and left of the dark one.
    EXPECT_LT(sumX[kBodyLight] / counts[kBodyLight], sumX[kBodyDark] / counts[kBodyDark]);
    EXPECT_LT(sumY[kBodyLight] / counts[kBodyLight], sumY[kBodyDark] / counts[kBodyDark]);
}

TEST(Canvas, LinesJoinTheirEndsWithoutGaps) {
    struct Case {
        int x0, y0, x1, y1;
    };
    for (Case k :
         std::vector<Case>{{0, 0, 9, 0}, {0, 0, 0, 9}, {0, 0, 9, 9}, {9, 2, 1, 7}, {3, 9, 5, 0}, {4, 4, 4, 4}}) {
        Canvas c(10, 10);
        c.line(k.x0, k.y0, k.x1, k.y1, kInk);
        EXPECT_EQ(c.at(k.x0, k.y0), kInk);
        EXPECT_EQ(c.at(k.x1, k.y1), kInk);
        // One pixel per step along the longer axis: thin and unbroken.
        const int steps = std::max(std::abs(k.x1 - k.x0), std::abs(k.y1 - k.y0));
        EXPECT_EQ(c.countNot(kClear), static_cast<std::size_t>(steps + 1));
    }
}

TEST(Canvas, StampRingsAPartWithAnEdgeToEdgeOutline) {
    Canvas part(3, 3);
    part.set(1, 1, kBodyMid);
    Canvas c(7, 7, kWhite);
    c.stamp(part, 2, 2, kInk);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            const int d = std::abs(x - 3) + std::abs(y - 3);
            const std::uint8_t want = d == 0 ? kBodyMid : (d == 1 ? kInk : kWhite);
            EXPECT_EQ(c.at(x, y), want) << x << "," << y;
        }
}

TEST(Canvas, StampOutlinesAPartThatTouchesItsOwnEdge) {
    Canvas part(2, 1, kRed);
    Canvas c(4, 3);
    c.stamp(part, 1, 1);
    EXPECT_EQ(c.at(0, 1), kInk);
    EXPECT_EQ(c.at(3, 1), kInk);
    EXPECT_EQ(c.at(1, 0), kInk);
    EXPECT_EQ(c.at(2, 2), kInk);
    EXPECT_EQ(c.at(0, 0), kClear);  // corners stay open
    EXPECT_EQ(c.at(1, 1), kRed);
}

TEST(Canvas, BlitLeavesTheTransparentPixelsOfAPartAlone) {
    Canvas part(3, 1);
    part.set(0, 0, kRed);
    part.set(2, 0, kRed);
    Canvas c(3, 1, kWhite);
    c.blit(part, 0, 0);
    EXPECT_EQ(c.at(0, 0), kRed);
    EXPECT_EQ(c.at(1, 0), kWhite);
    EXPECT_EQ(c.at(2, 0), kRed);
}

TEST(Canvas, FloodFillStopsAtOtherColours) {
    Canvas c(9, 9, kWhite);
    c.fillRect(2, 2, 5, 5, kInk);
    c.fillRect(3, 3, 3, 3, kWhite);
    c.floodFill(4, 4, kRed);
    EXPECT_EQ(c.at(3, 3), kRed);
    EXPECT_EQ(c.at(5, 5), kRed);
    EXPECT_EQ(c.at(0, 0), kWhite);
    EXPECT_EQ(c.at(2, 2), kInk);
    std::size_t red = 0;
    for (std::uint8_t p : c.pixels()) red += p == kRed;
    EXPECT_EQ(red, 9u);
}

TEST(Canvas, GridsReadTheLegendAndCanBeMirrored) {
    Canvas c(4, 2, kWhite);
    c.drawGrid(0, 0, {"k.rx", "wb.."});
    EXPECT_EQ(c.at(0, 0), kInk);
    EXPECT_EQ(c.at(1, 0), kWhite);  // '.' leaves the pixel alone
    EXPECT_EQ(c.at(2, 0), kRed);
    EXPECT_EQ(c.at(3, 0), kClear);  // 'x' clears it
    EXPECT_EQ(c.at(0, 1), kWhite);
    EXPECT_EQ(c.at(1, 1), kBlueLight);
    Canvas m(4, 1, kWhite);
    m.drawGrid(0, 0, {"kr.."}, true);
    EXPECT_EQ(m.at(3, 0), kInk);
    EXPECT_EQ(m.at(2, 0), kRed);
    EXPECT_EQ(m.at(0, 0), kWhite);
}

TEST(Canvas, EveryLegendLetterIsAPaletteColour) {
    for (char ch = ' '; ch <= '~'; ++ch) {
        const int c = legendColour(ch);
        EXPECT_LT(c, static_cast<int>(kColourCount)) << ch;
        if (ch == '.') {
            EXPECT_EQ(c, -1);
        }
    }
}

TEST(Canvas, RemapSwapsColours) {
    Canvas c(2, 1);
    c.set(0, 0, kBodyMid);
    auto map = identityMap();
    map[kBodyMid] = kSickMid;
    c.remap(map);
    EXPECT_EQ(c.at(0, 0), kSickMid);
    EXPECT_EQ(c.at(1, 0), kClear);
}

TEST(FrameNumber, ReadsTheNumberBeforeTheExtension) {
    struct Case {
        const char* path;
        int n;
    };
    for (Case k : std::vector<Case>{{"\\datas\\gribo\\nourrissonF12.gif", 12},
                                    {"\\datas\\gribo\\oeufbleuF1.gif", 1},
                                    {"\\datas\\gribo\\crotte5.gif", 5},
                                    {"\\datas\\gribo\\nourrissonmalade.gif", 0},
                                    {"\\datas\\fond.bmp", 0}})
        EXPECT_EQ(frameNumber(k.path), k.n) << k.path;
}

}  // namespace
}  // namespace gribo::art
