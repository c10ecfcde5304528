#pragma once

// Where the pictures stand in the main window's scene, in picture pixels (logical
// pixels at scale 1). The window shows them there and the review sheet of the
// asset generator composes them the same way. Standard C++ only.

#include <cstdint>

namespace gribo::scene {

// The scene below the menu bar.
inline constexpr int kWidth = 110;
inline constexpr int kHeight = 95;

struct Point {
    int x, y;
};

// The corner of the room, the sky and the pet pictures.
inline constexpr Point kOrigin = {16, 8};
// The droppings picture starts this many pixels left of the room.
inline constexpr int kDroppingsShift = 8;
inline constexpr Point kDroppingsOrigin = {kOrigin.x - kDroppingsShift, kOrigin.y};

// The deep plum wall colour that frames the room.
struct Colour {
    std::uint8_t r, g, b;
};
inline constexpr Colour kFrame = {74, 48, 66};

}  // namespace gribo::scene
