#pragma once

// What a life-clock tick of the running game is news of, for a player who is not
// looking at it: the baby began to cry, fell sick, or got a death notice.

#include <optional>
#include <string_view>

#include "foresight/reminder_texts.h"

namespace gribo::foresight {

// The news of one life-clock tick, from the stage before and after it and the death
// notice it showed (empty: none). `deathBefore`: the tick before showed one too, as
// the starvation notice comes back at every tick; that is no news.
std::optional<Tell> newsOfTick(std::string_view stadeBefore, std::string_view stadeAfter, std::string_view deathNotice,
                               bool deathBefore);

}  // namespace gribo::foresight
