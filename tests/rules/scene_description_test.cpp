#include "rules/scene_description.h"

#include <gtest/gtest.h>

#include "assets/catalogue.h"

namespace gribo {
namespace {

const std::string kNight = "Par la fen\xc3\xaatre, il fait nuit.";
const std::string kDawn = "Par la fen\xc3\xaatre, le jour se l\xc3\xa8ve.";
const std::string kDay = "Par la fen\xc3\xaatre, il fait jour.";
const std::string kEvening = "Par la fen\xc3\xaatre, le soir tombe.";
const std::string kHatching =
    "L'\xc5\x93uf \xc3\xa9"
    "cl\xc3\xb4t";

// Each stage once, and the sky on both sides of each of its changes.
TEST(SceneDescription, NamesWhatThePetDoesAndDescribesTheFloorAndTheWindow) {
    const struct {
        std::string_view stade;
        int droppings, hour;
        SceneText said;
    } cases[] = {
        {"Oeuf1", 0, 0, {"Un \xc5\x93uf bleu", kNight}},
        {"Oeuf2", 0, 5, {"Un \xc5\x93uf bleu qui bat vite", kNight}},
        {"Eclosion", 0, 6, {kHatching, kDawn}},
        {"nourrissonbain", 0, 7, {"Gribo prend son bain", kDawn}},
        {"nourrissonviande", 2, 8, {"Gribo mange de la viande", "2 crottes par terre. " + kDay}},
        {"Nourrisson", 0, 17, {"La chambre de Gribo", kDay}},  // a stage no sequence knows
        {"nourrisson", 1, 18, {"Gribo se prom\xc3\xa8ne", "Une crotte par terre. " + kEvening}},
        {"nourrissonmalade", 3, 19, {"Gribo est malade", "3 crottes par terre. " + kEvening}},
        {"nourrissonpleure", 5, 20, {"Gribo pleure", "5 crottes par terre. " + kNight}},
        {"nourrissonmilk", 0, 23, {"Gribo boit son biberon", kNight}},
        {"nourrisson", 4, -1, {"Gribo se prom\xc3\xa8ne", "4 crottes par terre."}},  // no sky shown
    };
    for (const auto& c : cases) EXPECT_EQ(describeScene(c.stade, c.droppings, c.hour), c.said) << c.stade;
}

TEST(SceneDescription, TheDroppingsAreCountedFromThePictureOnTheFloor) {
    for (int piles = 1; piles <= 5; ++piles) EXPECT_EQ(asset::droppingPiles(asset::droppings(piles)), piles);
    EXPECT_EQ(asset::droppingPiles(asset::kVide), 0);
}

}  // namespace
}  // namespace gribo
