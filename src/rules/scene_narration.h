#pragma once

// When the scene's words are made again, and from what: the decisions of the
// narration that follows the game, handler by handler. The words themselves are
// describeScene's.

#include <string>
#include <string_view>

#include "rules/scene_description.h"

namespace gribo {

// What the shell sees after a handler.
struct SceneSeen {
    std::string_view stade;
    std::string_view droppingsPicture;  // what the droppings slot shows (a catalogue path, or none)
    std::string_view sky;               // what the window shows
    int deathNotices = 0;               // death notices shown so far
};

// What the words were last made from.
struct Narration {
    std::string stade;
    int droppings = 0;
    std::string sky;
    int deathNotices = 0;  // counted at the last look, made into words or not
    bool dead = false;     // a death notice came since the stage last changed
    bool made = false;     // the words have been made at least once

    // The facts the words are made from. REQUIRES: the narration outlives them.
    SceneFacts facts() const { return {stade, droppings, sky, dead}; }
    bool operator==(const Narration&) const = default;
};

struct NarrationStep {
    Narration now;
    bool remade;  // the words are to be made again from `now`
    bool operator==(const NarrationStep&) const = default;
};

// The narration once the shell has seen `seen`. The words are made again when the
// stage, the droppings on the floor, the sky or the death notice's hold changed, or
// were never made. A death notice holds until the stage changes; a notice shown again
// while it holds (the life clock's, every tick of a starving pet) is no news.
NarrationStep followScene(const Narration& was, const SceneSeen& seen);

}  // namespace gribo
