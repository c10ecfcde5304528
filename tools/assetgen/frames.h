#pragma once

// What every file of the asset folder shows.

#include <string_view>

#include "canvas.h"
#include "entries.h"

namespace gribo::art {

// The number at the end of a file name ("nourrissonF12.gif" gives 12), or 0.
int frameNumber(std::string_view path);

// The picture of one picture file of the catalogue (not the sound).
Canvas drawPicture(const Entry& entry);

}  // namespace gribo::art
