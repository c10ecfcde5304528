#include "rules/scene_narration.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "assets/catalogue.h"
#include "state/stages.h"

namespace gribo {
namespace {

// One look of the shell after a handler, and what the narration makes of it.
struct Look {
    const char* what;
    SceneSeen seen;
    bool remade;
    int droppings;
    bool dead;
};

const std::string_view kNight = asset::kCielNuit;
const std::string_view kDay = asset::kCiel;

// Looks one after another, each from the narration the one before left.
TEST(SceneNarration, RemakesTheWordsOnlyForNews) {
    const struct {
        const char* what;
        std::vector<Look> looks;
    } cases[] = {
        {"a first look always makes the words",
         {{"start", {stage::kNourrisson, {}, kNight, 0}, true, 0, false},
          {"the same again", {stage::kNourrisson, {}, kNight, 0}, false, 0, false}}},
        {"each change of stage, floor or sky",
         {{"start", {stage::kNourrisson, {}, kNight, 0}, true, 0, false},
          {"a stage", {stage::kMilk, {}, kNight, 0}, true, 0, false},
          {"a dropping", {stage::kMilk, asset::kCrotte[0], kNight, 0}, true, 1, false},
          {"a second one", {stage::kMilk, asset::kCrotte[1], kNight, 0}, true, 2, false},
          {"the sky", {stage::kMilk, asset::kCrotte[1], kDay, 0}, true, 2, false},
          {"the floor washed: the empty picture", {stage::kMilk, asset::kVide, kDay, 0}, true, 0, false}}},
        {"the death notice holds until the stage changes",
         {{"start", {stage::kPleure, {}, kNight, 0}, true, 0, false},
          {"the notice", {stage::kPleure, {}, kNight, 1}, true, 0, true},
          {"still dead", {stage::kPleure, {}, kNight, 1}, false, 0, true},
          {"the notice again is no news", {stage::kPleure, {}, kNight, 2}, false, 0, true},
          {"a dropping while dead", {stage::kPleure, asset::kCrotte[0], kNight, 2}, true, 1, true},
          {"a meal ends it", {stage::kViande, asset::kCrotte[0], kNight, 2}, true, 1, false},
          {"and nothing more", {stage::kViande, asset::kCrotte[0], kNight, 2}, false, 1, false}}},
        {"a notice in the same handler as a change of stage holds",
         {{"start", {stage::kNourrisson, {}, kNight, 0}, true, 0, false},
          {"crying and the notice", {stage::kPleure, {}, kNight, 1}, true, 0, true}}},
        {"a picture that is not the floor's shows no droppings",
         {{"start", {stage::kNourrisson, asset::kFond, {}, 0}, true, 0, false},
          {"no sky picture", {stage::kNourrisson, {}, {}, 0}, false, 0, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Narration narration;
        for (const Look& look : c.looks) {
            const int noticesBefore = narration.deathNotices;
            const NarrationStep step = followScene(narration, look.seen);
            EXPECT_EQ(step.remade, look.remade) << look.what;
            EXPECT_EQ(step.now.droppings, look.droppings) << look.what;
            EXPECT_EQ(step.now.dead, look.dead) << look.what;
            // Every notice is counted, made into words or not, so the next one is news
            // only if it is a new one.
            EXPECT_EQ(step.now.deathNotices, look.seen.deathNotices) << look.what << " after " << noticesBefore;
            if (step.remade) {
                EXPECT_EQ(step.now.stade, look.seen.stade) << look.what;
                EXPECT_EQ(step.now.sky, look.seen.sky) << look.what;
            } else {
                Narration same = narration;
                same.deathNotices = look.seen.deathNotices;
                EXPECT_EQ(step.now, same) << look.what;
            }
            narration = step.now;
        }
    }
}

// The words come from the narration's facts: the dead pet's name until the stage
// changes, with the droppings of the floor.
TEST(SceneNarration, TheWordsAreMadeFromWhatWasSeen) {
    Narration narration;
    narration = followScene(narration, {stage::kPleure, asset::kCrotte[2], kNight, 1}).now;
    EXPECT_EQ(describeScene(narration.facts()).name, "Gribo est mort");
    EXPECT_EQ(describeScene(narration.facts()).description, "3 crottes par terre. Par la fenêtre, il fait nuit.");
    narration = followScene(narration, {stage::kBain, asset::kCrotte[2], kNight, 1}).now;
    EXPECT_EQ(describeScene(narration.facts()).name, "Gribo prend son bain");
}

}  // namespace
}  // namespace gribo
