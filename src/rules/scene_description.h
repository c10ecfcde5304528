#pragma once

// The scene in words, for a player who listens to it rather than looks at it: what
// the pet is doing, the droppings on the floor and the sky in the window, in French.

#include <string>
#include <string_view>

namespace gribo {

struct SceneText {
    std::string name;         // what the pet is doing: "Gribo pleure"
    std::string description;  // the floor, then the window: "2 crottes par terre. Par la fenêtre, il fait nuit."
    bool operator==(const SceneText&) const = default;
};

// The words for a pet at `stade` with `droppings` piles on the floor, under the sky
// picture the window shows (`sky`, a path of the catalogue); no sky picture, or one
// that is not a sky, leaves the sky out. The words follow the picture shown, so they
// change exactly when it does.
SceneText describeScene(std::string_view stade, int droppings, std::string_view sky);

}  // namespace gribo
