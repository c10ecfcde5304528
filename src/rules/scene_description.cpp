#include "rules/scene_description.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

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

// Once the death notice has come, until the pet's stage changes.
constexpr std::string_view kDead = "Gribo est mort";

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

std::string droppingsSentence(int droppings) {
    if (droppings == 1) return "Une crotte par terre.";
    if (droppings > 1) return toText(droppings) + " crottes par terre.";
    return {};
}

void addSentence(std::string& to, std::string_view sentence) {
    if (sentence.empty()) return;
    if (!to.empty()) to += ' ';
    to += sentence;
}

}  // namespace

SceneText describeScene(const SceneFacts& facts) {
    SceneText text;
    // In the bath the droppings go within the first half-second: the name that says
    // so is the bath's own, rather than a second one straight after it.
    const bool floorInName = !facts.deathNotice && facts.stade != stage::kBain && facts.droppings > 0;
    if (facts.deathNotice) {
        text.name = kDead;
    } else {
        text.name = lookUp(kStages, facts.stade, kRoomOnly);
    }
    if (floorInName) {
        text.name += facts.droppings == 1 ? ", avec une crotte par terre"
                                          : ", avec " + toText(facts.droppings) + " crottes par terre";
    } else {
        addSentence(text.description, droppingsSentence(facts.droppings));
    }
    addSentence(text.description, lookUp(kSkies, facts.sky, {}));
    return text;
}

std::string sceneReport(const SceneText& text) {
    std::string report = text.name;
    if (!report.empty()) report += '.';
    addSentence(report, text.description);
    return report;
}

}  // namespace gribo
