#pragma once

#include "state/ports.h"

namespace gribo {

// Shows the sky of `hour` (0..23) in Image3. Every call loads the night sky first;
// each later test that passes replaces it, so the last one decides.
void afficherCiel(PictureSlots& pictures, int hour);

}  // namespace gribo
