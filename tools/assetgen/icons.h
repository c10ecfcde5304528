#pragma once

// Gribo's face as the application icon, at every size of the icon theme. Each size
// is pixel art at that size: hand-placed at 16, 22 and 24 pixels, Gribo's own
// drawing at 32, and whole-number enlargements of those above (48 is twice the 24;
// 64, 128 and 256 are two, four and eight times the 32), never a smoothed resample.

#include <QImage>
#include <array>
#include <string>

namespace gribo::art {

// The sizes of the icon theme the game installs; the build names them once
// (GRIBO_ICON_SIZES in tools/assetgen/CMakeLists.txt) for the generator, the
// program's resources, the install rules and the installed tree's check.
inline constexpr auto kIconSizes = std::to_array<int>({GRIBO_ICON_SIZES});

// The icon at `size` pixels, on a transparent ground.
// REQUIRES: `size` is one of kIconSizes.
QImage drawIcon(int size);

// The file of the icon at `size`, relative to the output folder, laid out as the
// hicolor icon theme wants it: icons/hicolor/<size>x<size>/apps/<application id>.png.
std::string iconFile(int size);

}  // namespace gribo::art
