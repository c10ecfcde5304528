#pragma once

#include "state/game.h"

namespace gribo {

// One tick of the 10 ms animation timer: compteur + 1, then the sequence of the
// current stage, looked up in its table.
void animationTick(Game& game);

}  // namespace gribo
