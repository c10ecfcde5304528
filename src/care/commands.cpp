#include "care/commands.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

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

void begin(Game& g, std::string_view activity) {
    g.pet.stade = activity;
    g.pet.compteur = 0;
}

}  // namespace

void lait(Game& game) {
    if (!stadeIsOneOf(game, {stage::kNourrisson, stage::kPleure})) return;
    game.pet.cacafait = flag::kNon;
    game.store.set(Key::CacaFait, flag::kNon);
    begin(game, stage::kMilk);
}

void viande(Game& game) {
    if (!stadeIsOneOf(game, {stage::kNourrisson})) return;
    begin(game, stage::kViande);
}

void laver(Game& game) {
    if (!stadeIsOneOf(game, {stage::kNourrisson, stage::kPleure})) return;
    begin(game, stage::kBain);
}

void veterinaire(Game& game) {
    PetState& p = game.pet;
    // Independent checks: the last one that holds gives the answer the player reads.
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
    const std::string_view* answer = nullptr;
    for (const auto& c : checks) {
        if (c.holds) answer = &c.text;
    }
    if (answer == nullptr) return;
    const bool sick = p.stade == stage::kMalade;
    game.io.windows.show(Window::Vet, *answer);
    if (!sick) return;

    // The cure: fed just now with no hunger, and a dropping owed. The tick counter is
    // left as it is; the idle walk copes with any count.
    p.stade = stage::kNourrisson;
    p.faim = 0;
    p.cacafait = flag::kNon;
    game.store.set(Key::CacaFait, flag::kNon);
    game.store.set(Key::Faim, "0");
    p.datenourrit = currentHourStamp(game.io.clock);
    game.store.setNumber(Key::DateNourrit, p.datenourrit);
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
    const std::string caca = toText(game.pet.caca);
    game.store.detachAfter([&caca](SettingsStore& s) {
        const auto put = [&s](Key k, std::string_view v) { s.write(nameOf(k).section, nameOf(k).key, v); };
        put(Key::Jour, "");
        put(Key::Mois, "");
        put(Key::Annee, "");
        put(Key::Heure, "");
        put(Key::Min, "");
        put(Key::DateNourrit, "0");
        put(Key::Stade, "");
        put(Key::Caca, caca);
        put(Key::CacaFait, flag::kOui);
    });
}

}  // namespace gribo
