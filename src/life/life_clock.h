#pragma once

#include "state/game.h"

namespace gribo {

// One tick of the 20 s life clock: the sky, the egg's incubation, then the baby's
// needs (hunger, droppings, crying, starvation, sickness), in that order.
void lifeClockTick(Game& game);

}  // namespace gribo
