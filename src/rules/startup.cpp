#include "rules/startup.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "assets/catalogue.h"
#include "rules/records.h"
#include "rules/sky.h"
#include "state/stages.h"

namespace gribo {
namespace {

void firstRun(Game& g, const LocalDateTime& now) {
    Store& s = g.store;
    // A stage lost to a damaged file must not cost the pet: the old store is kept.
    if (holdsAPet(s)) s.keepCopy();
    writeCreationDate(s, now, g.pet.moisdemarrage);
    s.set(Key::Stade, stage::kOeuf1);
    fedAt(g, hourStamp(now));
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
