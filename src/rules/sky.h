#pragma once

#include <string_view>

#include "state/ports.h"

namespace gribo {

// Shows the sky of `hour` (0..23) in Image3. Every call loads the night sky first;
// each later test that passes replaces it, so the last one decides.
void afficherCiel(PictureSlots& pictures, int hour);

// The sky picture that afficherCiel leaves in Image3 at `hour`; empty for a negative
// hour, which no sky follows.
std::string_view skyPicture(int hour);

}  // namespace gribo
