#include "rules/scene_description.h"

#include <gtest/gtest.h>

#include "assets/catalogue.h"
#include "rules/sky.h"
#include "support/fakes.h"

namespace gribo {
namespace {

const std::string kNight = "Par la fenêtre, il fait nuit.";
const std::string kDawn = "Par la fenêtre, le jour se lève.";
const std::string kDay = "Par la fenêtre, il fait jour.";
const std::string kEvening = "Par la fenêtre, le soir tombe.";

// The picture the window shows at `hour`, as the game puts it there.
std::string skyShownAt(int hour) {
    test::PictureRecorder window;
    afficherCiel(window, hour);
    return window.loads.empty() ? std::string() : window.loads.back().path;
}

// Each stage once, and the sky on both sides of each of its changes.
TEST(SceneDescription, NamesWhatThePetDoesAndDescribesTheFloorAndTheWindow) {
    const struct {
        std::string_view stade;
        int droppings, hour;
        SceneText said;
    } cases[] = {
        {"Oeuf1", 0, 0, {"Un œuf bleu", kNight}},
        {"Oeuf2", 0, 5, {"Un œuf bleu qui bat vite", kNight}},
        {"Eclosion", 0, 6, {"L'œuf éclôt", kDawn}},
        {"nourrissonbain", 0, 7, {"Gribo prend son bain", kDawn}},
        {"nourrissonviande", 2, 8, {"Gribo mange de la viande", "2 crottes par terre. " + kDay}},
        {"Nourrisson", 0, 17, {"La chambre de Gribo", kDay}},  // a stage no sequence knows
        {"nourrisson", 1, 18, {"Gribo se promène", "Une crotte par terre. " + kEvening}},
        {"nourrissonmalade", 3, 19, {"Gribo est malade", "3 crottes par terre. " + kEvening}},
        {"nourrissonpleure", 5, 20, {"Gribo pleure", "5 crottes par terre. " + kNight}},
        {"nourrissonmilk", 0, 23, {"Gribo boit son biberon", kNight}},
        {"nourrisson", 4, -1, {"Gribo se promène", "4 crottes par terre."}},  // no sky shown
    };
    for (const auto& c : cases) {
        EXPECT_EQ(describeScene(c.stade, c.droppings, skyShownAt(c.hour)), c.said) << c.stade << " at " << c.hour;
    }
}

// The window says only what a sky picture shows: a picture that failed to load, or any
// other picture, says nothing of the sky.
TEST(SceneDescription, OnlyASkyPictureIsDescribed) {
    for (std::string_view picture : {std::string_view(), asset::kFond, asset::kVide}) {
        EXPECT_EQ(describeScene("nourrisson", 0, picture).description, "") << picture;
    }
}

TEST(SceneDescription, TheDroppingsAreCountedFromThePictureOnTheFloor) {
    for (int piles = 1; piles <= 5; ++piles) EXPECT_EQ(asset::droppingPiles(asset::droppings(piles)), piles);
    EXPECT_EQ(asset::droppingPiles(asset::kVide), 0);
}

}  // namespace
}  // namespace gribo
