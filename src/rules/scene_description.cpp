#include "rules/scene_description.h"

#include <array>
#include <span>

#include "assets/catalogue.h"
#include "state/stages.h"
#include "state/values.h"

namespace gribo {
namespace {

struct Words {
    std::string_view key;  // a stage, or a sky picture
    std::string_view words;
};

// What each stage shows. The fast egg says so: its beat tells that the hatching is near.
constexpr std::array<Words, 9> kStages = {{
    {stage::kOeuf1, "Un œuf bleu"},
    {stage::kOeuf2, "Un œuf bleu qui bat vite"},
    {stage::kEclosion, "L'œuf éclôt"},
    {stage::kNourrisson, "Gribo se promène"},
    {stage::kViande, "Gribo mange de la viande"},
    {stage::kMilk, "Gribo boit son biberon"},
    {stage::kBain, "Gribo prend son bain"},
    {stage::kPleure, "Gribo pleure"},
    {stage::kMalade, "Gribo est malade"},
}};

// A stage no sequence knows shows no pet, only its room.
constexpr std::string_view kRoomOnly = "La chambre de Gribo";

// By the picture the window shows.
constexpr std::array<Words, 4> kSkies = {{
    {asset::kCielNuit, "Par la fenêtre, il fait nuit."},
    {asset::kCielAube, "Par la fenêtre, le jour se lève."},
    {asset::kCiel, "Par la fenêtre, il fait jour."},
    {asset::kCielSoir, "Par la fenêtre, le soir tombe."},
}};

std::string_view lookUp(std::span<const Words> table, std::string_view key, std::string_view otherwise) {
    for (const Words& w : table) {
        if (w.key == key) return w.words;
    }
    return otherwise;
}

}  // namespace

SceneText describeScene(std::string_view stade, int droppings, std::string_view sky) {
    SceneText text{std::string(lookUp(kStages, stade, kRoomOnly)), {}};
    if (droppings == 1) {
        text.description = "Une crotte par terre.";
    } else if (droppings > 1) {
        text.description = toText(droppings) + " crottes par terre.";
    }
    const std::string_view window = lookUp(kSkies, sky, {});
    if (!window.empty() && !text.description.empty()) text.description += ' ';
    text.description += window;
    return text;
}

}  // namespace gribo
