#pragma once

// The scene in words, for a player who listens to it rather than looks at it: what
// the pet is doing, the droppings on the floor and the sky in the window, in French.

#include <string>
#include <string_view>

namespace gribo {

// What the scene shows, as the words are made from it.
struct SceneFacts {
    std::string_view stade;
    int droppings = 0;  // the piles the floor shows
    // The sky picture the window shows (a path of the catalogue), so the words change
    // exactly when the picture does; none, or a picture that is not a sky, leaves the
    // sky out.
    std::string_view sky;
    bool deathNotice = false;  // the death notice came since the stage last changed
};

struct SceneText {
    // One short sentence of what the pet does now, with the droppings when it walks
    // among them: "Gribo pleure, avec 2 crottes par terre". A screen reader speaks it
    // whenever it changes, so it changes only with what a player should hear of.
    std::string name;
    // The rest: the droppings the name leaves out, then the window: "Par la fenêtre,
    // il fait nuit."
    std::string description;
    bool operator==(const SceneText&) const = default;
};

SceneText describeScene(const SceneFacts& facts);

// The whole scene in one text, the name then the rest, for a player who asks how
// Gribo is: "Gribo pleure. Par la fenêtre, il fait nuit."
std::string sceneReport(const SceneText& text);

}  // namespace gribo
