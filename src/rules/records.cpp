#include "rules/records.h"

#include "state/values.h"

namespace gribo {

void writeCreationDate(Store& store, const LocalDateTime& now, int16_t month) {
    store.setNumber(Key::Jour, now.day);
    store.setNumber(Key::Mois, month);
    store.setNumber(Key::Annee, now.year);
    store.setNumber(Key::Heure, now.hour);
    store.setNumber(Key::Min, now.minute);
}

void fedAt(Game& game, int32_t stamp) {
    game.pet.datenourrit = stamp;
    game.store.setNumber(Key::DateNourrit, stamp);
}

void fedNow(Game& game) { fedAt(game, currentHourStamp(game.io.clock)); }

void enterStage(Game& game, std::string_view stade) {
    beginActivity(game.pet, stade);
    game.store.set(Key::Stade, stade);
}

void beginActivity(PetState& pet, std::string_view activity) {
    pet.stade = activity;
    pet.compteur = 0;
}

void writeResetValues(SettingsStore& backend, int16_t caca) {
    const NumberText count = numberText(caca);
    for (const ResetValue& r : kResetValues) {
        const KeyName& n = nameOf(r.key);
        backend.write(n.section, n.key, r.value.value_or(count.view()));
    }
}

bool holdsAPet(const Store& store) {
    for (const ResetValue& r : kResetValues) {
        if (!r.value) continue;
        const std::string stored = store.peek(r.key);
        if (!stored.empty() && stored != *r.value) return true;
    }
    return false;
}

}  // namespace gribo
