#pragma once

// The one palette every picture of the game scene is drawn with. Index 0 is
// the transparent colour of the GIF files; the others come in families of two
// or three shades, light to dark.

#include <array>
#include <cstdint>

#include "assets/scene_layout.h"

namespace gribo::art {

struct Rgb {
    std::uint8_t r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum Colour : std::uint8_t {
    kClear = 0,  // transparent in GIF files; never drawn on an opaque picture
    kInk,        // outlines, eyes
    kWhite,
    kGreyLight,
    kGreyMid,
    kBodyLight,  // Gribo's fur
    kBodyMid,
    kBodyDark,
    kPink,  // cheeks, rug, curtains
    kRed,   // mouth, meat, heart
    kBlueLight,
    kBlueMid,  // the egg, the day sky
    kBlueDark,
    kNavy,  // the night sky
    kYellow,
    kOrange,
    kRose,
    kPurple,
    kWallLight,
    kWallMid,
    kWallDark,
    kWoodLight,
    kWoodMid,
    kWoodDark,
    kGreenLight,
    kGreenDark,
    kTileLight,
    kTileMid,
    kSickLight,  // Gribo's fur when ill
    kSickMid,
    kPlum,  // the window around the scene
    kCream,
    kColourCount
};

// The plum that frames the scene, as the window paints it.
inline constexpr Rgb kFramePlum = {scene::kFrame.r, scene::kFrame.g, scene::kFrame.b};

inline constexpr std::array<Rgb, kColourCount> kPalette = {{
    {255, 0, 255},    // kClear
    {46, 28, 48},     // kInk
    {255, 255, 255},  // kWhite
    {208, 212, 226},  // kGreyLight
    {142, 146, 170},  // kGreyMid
    {255, 230, 150},  // kBodyLight
    {250, 190, 92},   // kBodyMid
    {214, 132, 62},   // kBodyDark
    {255, 150, 160},  // kPink
    {206, 62, 72},    // kRed
    {168, 214, 255},  // kBlueLight
    {96, 152, 238},   // kBlueMid
    {52, 84, 178},    // kBlueDark
    {30, 32, 88},     // kNavy
    {255, 238, 124},  // kYellow
    {255, 160, 82},   // kOrange
    {250, 184, 176},  // kRose
    {124, 80, 152},   // kPurple
    {240, 222, 200},  // kWallLight
    {220, 192, 168},  // kWallMid
    {176, 136, 124},  // kWallDark
    {206, 146, 96},   // kWoodLight
    {162, 102, 64},   // kWoodMid
    {110, 64, 46},    // kWoodDark
    {166, 206, 96},   // kGreenLight
    {90, 148, 72},    // kGreenDark
    {214, 238, 242},  // kTileLight
    {150, 202, 214},  // kTileMid
    {232, 236, 156},  // kSickLight
    {196, 210, 112},  // kSickMid
    kFramePlum,       // kPlum
    {255, 246, 226},  // kCream
}};

static_assert(kPalette.size() == 32, "a GIF colour table holds a power of two entries");

}  // namespace gribo::art
