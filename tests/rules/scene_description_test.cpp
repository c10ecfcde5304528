#include "rules/scene_description.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "assets/catalogue.h"
#include "rules/sky.h"
#include "support/fakes.h"

namespace gribo {
namespace {

const std::string kNight = "Par la fenêtre, il fait nuit.";
const std::string kDawn = "Par la fenêtre, le jour se lève.";
const std::string kDay = "Par la fenêtre, il fait jour.";
const std::string kEvening = "Par la fenêtre, le soir tombe.";

// The picture the window shows at `hour`, as the game puts it there; none for a
// negative hour.
std::string skyShownAt(int hour) {
    if (hour < 0) return {};
    test::PictureRecorder window;
    afficherCiel(window, hour);
    return window.loads.empty() ? std::string() : window.loads.back().path;
}

// Each stage once, and the sky on both sides of each of its changes. The droppings
// are in the name where the pet walks among them, in the description in the bath
// (they go in its first half-second) and after the death notice.
TEST(SceneDescription, NamesWhatThePetDoesAndDescribesTheRest) {
    const struct {
        std::string_view stade;
        int droppings, hour;
        bool dead;
        SceneText said;
    } cases[] = {
        {"Oeuf1", 0, 0, false, {"Un œuf bleu", kNight}},
        {"Oeuf2", 0, 5, false, {"Un œuf bleu qui bat vite", kNight}},
        {"Eclosion", 0, 6, false, {"L'œuf éclôt", kDawn}},
        {"nourrissonbain", 0, 7, false, {"Gribo prend son bain", kDawn}},
        {"nourrissonbain", 3, 7, false, {"Gribo prend son bain", "3 crottes par terre. " + kDawn}},
        {"nourrissonviande", 2, 8, false, {"Gribo mange de la viande, avec 2 crottes par terre", kDay}},
        {"Nourrisson", 0, 17, false, {"La chambre de Gribo", kDay}},  // a stage no sequence knows
        {"nourrisson", 1, 18, false, {"Gribo se promène, avec une crotte par terre", kEvening}},
        {"nourrissonmalade", 3, 19, false, {"Gribo est malade, avec 3 crottes par terre", kEvening}},
        {"nourrissonpleure", 5, 20, false, {"Gribo pleure, avec 5 crottes par terre", kNight}},
        {"nourrissonmilk", 0, 23, false, {"Gribo boit son biberon", kNight}},
        {"nourrisson", 0, 12, true, {"Gribo est mort", kDay}},
        {"nourrisson", 2, 12, true, {"Gribo est mort", "2 crottes par terre. " + kDay}},
        {"nourrisson", 4, -1, false, {"Gribo se promène, avec 4 crottes par terre", ""}},  // no sky shown
        {"nourrissonbain", 4, -1, false, {"Gribo prend son bain", "4 crottes par terre."}},
    };
    for (const auto& c : cases) {
        const std::string sky = skyShownAt(c.hour);
        EXPECT_EQ(describeScene({c.stade, c.droppings, sky, c.dead}), c.said) << c.stade << " at " << c.hour;
    }
}

// The window says only what a sky picture shows: a picture that failed to load, or any
// other picture, says nothing of the sky.
TEST(SceneDescription, OnlyASkyPictureIsDescribed) {
    for (std::string_view picture : {std::string_view(), asset::kFond, asset::kVide}) {
        EXPECT_EQ(describeScene({"nourrisson", 0, picture, false}).description, "") << picture;
    }
}

TEST(SceneDescription, TheReportTellsTheNameThenTheRest) {
    const struct {
        SceneText text;
        std::string report;
    } cases[] = {
        {{"Gribo pleure", kNight}, "Gribo pleure. " + kNight},
        {{"Gribo prend son bain", "2 crottes par terre. " + kDay},
         "Gribo prend son bain. 2 crottes par terre. " + kDay},
        {{"Gribo se promène", ""}, "Gribo se promène."},
    };
    for (const auto& c : cases) EXPECT_EQ(sceneReport(c.text), c.report);
}

TEST(SceneDescription, TheDroppingsAreCountedFromThePictureOnTheFloor) {
    for (int piles = 1; piles <= 5; ++piles) EXPECT_EQ(asset::droppingPiles(asset::droppings(piles)), piles);
    EXPECT_EQ(asset::droppingPiles(asset::kVide), 0);
}

}  // namespace
}  // namespace gribo
