#include "state/scene_description.h"

#include <gtest/gtest.h>

#include "assets/catalogue.h"

namespace gribo {
namespace {

// The sky sentences, as a player hears them.
const std::string kNight = "Par la fen\xc3\xaatre, il fait nuit.";
const std::string kDawn = "Par la fen\xc3\xaatre, le jour se l\xc3\xa8ve.";
const std::string kDay = "Par la fen\xc3\xaatre, il fait jour.";
const std::string kEvening = "Par la fen\xc3\xaatre, le soir tombe.";

TEST(SceneDescription, NamesWhatThePetDoesAndDescribesTheFloorAndTheWindow) {
    const struct {
        std::string_view stade;
        int droppings;
        int hour;
        SceneText said;
    } cases[] = {
        {"Oeuf1", 0, 12, {"Un \xc5\x93uf bleu", kDay}},
        {"Oeuf2", 0, 3, {"Un \xc5\x93uf bleu qui bat vite", kNight}},
        {"Eclosion",
         0,
         6,
         {"L'\xc5\x93uf \xc3\xa9"
          "cl\xc3\xb4t",
          kDawn}},
        {"nourrisson", 1, 18, {"Gribo se prom\xc3\xa8ne", "Une crotte par terre. " + kEvening}},
        {"nourrissonviande", 2, 8, {"Gribo mange de la viande", "2 crottes par terre. " + kDay}},
        {"nourrissonmilk", 0, 23, {"Gribo boit son biberon", kNight}},
        {"nourrissonbain", 0, 7, {"Gribo prend son bain", kDawn}},
        {"nourrissonpleure", 5, 20, {"Gribo pleure", "5 crottes par terre. " + kNight}},
        {"nourrissonmalade", 3, 19, {"Gribo est malade", "3 crottes par terre. " + kEvening}},
        {"Nourrisson", 0, 17, {"La chambre de Gribo", kDay}},  // a stage no sequence knows
        {"", 4, -1, {"La chambre de Gribo", "4 crottes par terre."}},
        {"nourrisson", 0, -1, {"Gribo se prom\xc3\xa8ne", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(describeScene(c.stade, c.droppings, c.hour), c.said) << c.stade << " " << c.hour;
    }
}

TEST(SceneDescription, TheWindowChangesAtTheHoursOfTheSkyPictures) {
    const struct {
        int from, to;
        const std::string& sky;
    } bands[] = {{0, 5, kNight}, {6, 7, kDawn}, {8, 17, kDay}, {18, 19, kEvening}, {20, 23, kNight}};
    for (const auto& b : bands) {
        for (int hour = b.from; hour <= b.to; ++hour) {
            EXPECT_EQ(describeScene("Oeuf1", 0, hour).description, b.sky) << hour;
        }
    }
}

TEST(SceneDescription, TheDroppingsAreCountedFromThePictureOnTheFloor) {
    for (int piles = 1; piles <= 5; ++piles) EXPECT_EQ(asset::droppingPiles(asset::droppings(piles)), piles);
    EXPECT_EQ(asset::droppingPiles(asset::kVide), 0);
    EXPECT_EQ(asset::droppingPiles(""), 0);
}

}  // namespace
}  // namespace gribo
