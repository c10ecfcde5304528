#include "care/commands.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "rules/records.h"
#include "state/messages.h"
#include "state/stages.h"
#include "state/values.h"

namespace gribo {
namespace {

bool stadeIsOneOf(const Game& g, std::initializer_list<std::string_view> stages) {
    for (std::string_view s : stages) {
        if (g.pet.stade == s) return true;
    }
    return false;
}

// The vet's answer to the pet as it is: independent checks, the last one that holds
// gives the answer the player reads. None for a stage the vet has nothing to say of.
std::optional<std::string_view> vetAnswer(const PetState& p) {
    const struct {
        bool holds;
        std::string_view text;
    } checks[] = {
        {p.caca > 1, message::kVetDroppings},
        {p.stade == stage::kOeuf1, message::kVetOeuf1},
        {p.stade == stage::kOeuf2, message::kVetOeuf2},
        {p.stade == stage::kNourrisson, message::kVetHealthy},
        {p.stade == stage::kMalade, message::kVetOverfed},
    };
    std::optional<std::string_view> answer;
    for (const auto& c : checks) {
        if (c.holds) answer = c.text;
    }
    return answer;
}

// The cure of a sick baby: fed just now with no hunger, and a dropping owed. It goes
// back to rest without a new count: the idle walk copes with any count.
void cure(Game& game) {
    PetState& p = game.pet;
    p.stade = stage::kNourrisson;
    p.faim = 0;
    p.cacafait = flag::kNon;
    game.store.set(Key::CacaFait, flag::kNon);
    game.store.set(Key::Faim, "0");
    fedNow(game);
}

}  // namespace

void lait(Game& game) {
    if (!stadeIsOneOf(game, {stage::kNourrisson, stage::kPleure})) return;
    game.pet.cacafait = flag::kNon;
    game.store.set(Key::CacaFait, flag::kNon);
    beginActivity(game.pet, stage::kMilk);
}

void viande(Game& game) {
    if (!stadeIsOneOf(game, {stage::kNourrisson})) return;
    beginActivity(game.pet, stage::kViande);
}

void laver(Game& game) {
    if (!stadeIsOneOf(game, {stage::kNourrisson, stage::kPleure})) return;
    beginActivity(game.pet, stage::kBain);
}

void veterinaire(Game& game) {
    const auto answer = vetAnswer(game.pet);
    if (!answer) return;
    const bool sick = game.pet.stade == stage::kMalade;
    game.io.windows.show(Window::Vet, *answer);
    if (sick) cure(game);
}

std::string statsText(const PetState& p) {
    std::string text = "Stade :";
    text += p.stade;
    text += " Faim : ";
    text += toText(p.faim);
    text += "\r\n Cacafait: ";
    text += p.cacafait;
    text += " caca:";
    text += toText(p.caca);
    return text;
}

void stats(Game& game) { game.io.windows.show(Window::Stats, statsText(game.pet)); }

void reinitialiserPartie(Game& game) {
    if (game.store.detached()) return;  // the store already belongs to the next pet
    const int16_t caca = game.pet.caca;
    game.store.detachAfter([caca](SettingsStore& backend) { writeResetValues(backend, caca); });
}

}  // namespace gribo
