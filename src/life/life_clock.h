#pragma once

#include "state/game.h"

namespace gribo {

// The life clock's period: Timer2's interval, in milliseconds.
inline constexpr int kLifeClockMs = 20000;

// One tick of the life clock: the sky, the egg's incubation, then the baby's
// needs (hunger, droppings, crying, starvation, sickness), in that order.
void lifeClockTick(Game& game);

}  // namespace gribo
