#pragma once

// The vet's picture, built into the program and shown in the vet's window.

#include <array>

#include "canvas.h"
#include "palette.h"

namespace gribo::art {

// The vet's syringe and bottle, 18 x 25, and its 16-colour palette (index 0 is
// transparent).
Canvas drawVetPicture();
const std::array<Rgb, 16>& vetPalette();

}  // namespace gribo::art
