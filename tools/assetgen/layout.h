#pragma once

// Where things are in the scene, in the pixels of the room picture (the room,
// the sky and the pet pictures are all shown at the same corner of the scene).

#include "assets/scene_layout.h"

namespace gribo::art {

inline constexpr int kRoomWidth = 94;
inline constexpr int kRoomHeight = 87;
inline constexpr int kSkyWidth = 80;
inline constexpr int kSkyHeight = 80;
// The droppings picture starts scene::kDroppingsShift pixels left of the room.
inline constexpr int kDroppingsWidth = 102;
inline constexpr int kDroppingsHeight = 87;
using scene::kDroppingsShift;

// The window pane; the sky pictures paint exactly this rectangle.
inline constexpr int kPaneLeft = 54;
inline constexpr int kPaneRight = 74;
inline constexpr int kPaneTop = 10;
inline constexpr int kPaneBottom = 29;

inline constexpr int kFloorTop = 51;  // first row of floor below the skirting board
inline constexpr int kFootRow = 77;   // the row Gribo's feet rest on

// The idle walk: frame n stands at kWalkStart + (n - 1) * kWalkStep.
inline constexpr int kIdleFrames = 13;
inline constexpr int kWalkStart = 23;
inline constexpr int kWalkStep = 4;
constexpr int walkX(int frame) { return kWalkStart + (frame - 1) * kWalkStep; }

// The tub of the bathroom.
inline constexpr int kTubCentre = 47;
inline constexpr int kTubRim = 52;  // first row of the tub's front lip

}  // namespace gribo::art
