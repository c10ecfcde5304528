#include "rules/startup.h"

#include "assets/catalogue.h"
#include "rules/sky.h"
#include "state/stages.h"

namespace gribo {
namespace {

// Whether a store with no stage still holds a pet: a creation date, a last-fed hour or
// a dropping owed. What the developer reset leaves (an empty date, a last-fed hour of
// "0", "Oui", and any hunger and droppings count) is no pet, nor is an empty store.
bool holdsAPet(const Store& s) {
    for (Key k : {Key::Jour, Key::Mois, Key::Annee, Key::Heure, Key::Min}) {
        if (!s.peek(k).empty()) return true;
    }
    const std::string fed = s.peek(Key::DateNourrit);
    const std::string owed = s.peek(Key::CacaFait);
    return (!fed.empty() && fed != "0") || (!owed.empty() && owed != flag::kOui);
}

void firstRun(Game& g, const LocalDateTime& now) {
    Store& s = g.store;
    // A stage lost to a damaged file must not cost the pet: the old store is kept.
    if (holdsAPet(s)) s.keepCopy();
    s.setNumber(Key::Jour, now.day);
    s.setNumber(Key::Mois, g.pet.moisdemarrage);
    s.setNumber(Key::Annee, now.year);
    s.setNumber(Key::Heure, now.hour);
    s.setNumber(Key::Min, now.minute);
    s.set(Key::Stade, stage::kOeuf1);
    g.pet.datenourrit = hourStamp(now);
    s.setNumber(Key::DateNourrit, g.pet.datenourrit);
    g.pet.stade = stage::kOeuf1;
    s.set(Key::Faim, "0");
    s.set(Key::Caca, "0");
    s.set(Key::CacaFait, flag::kOui);
    g.pet.cacafait = flag::kOui;
}

void reload(Game& g) {
    g.pet.stade = g.store.get(Key::Stade);
    g.pet.faim = g.store.getInt16Repaired(Key::Faim);
    g.pet.caca = g.store.getInt16Repaired(Key::Caca);
    g.pet.cacafait = g.store.get(Key::CacaFait);
}

}  // namespace

void startUp(Game& game) {
    const LocalDateTime now = game.io.clock.now();
    game.pet.moisdemarrage = static_cast<int16_t>(now.month);
    if (game.store.get(Key::Stade).empty()) {
        firstRun(game, now);
    } else {
        reload(game);
    }
    game.io.pictures.load(Slot::Image1, asset::kFond);
    afficherCiel(game.io.pictures, now.hour);
}

}  // namespace gribo
