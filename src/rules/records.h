#pragma once

// One writer for each record of the pet that more than one handler changes. Each
// keeps the pet in memory and its store in step.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "state/game.h"
#include "state/stages.h"

namespace gribo {

// The egg's creation date: the day, year, hour and minute of `now`, with `month`.
// A first run gives the month it read at start-up (moisdemarrage); the life clock,
// repairing a date it cannot read, gives the clock's month.
void writeCreationDate(Store& store, const LocalDateTime& now, int16_t month);

// Hunger is counted from the hour `stamp` on.
void fedAt(Game& game, int32_t stamp);
// Hunger is counted from the clock's current hour on.
void fedNow(Game& game);

// A life stage begins: stored, and counted from tick 0.
void enterStage(Game& game, std::string_view stade);
// An activity begins: in memory only (a restart resumes at the stored life stage),
// counted from tick 0.
void beginActivity(PetState& pet, std::string_view activity);

// What the developer reset leaves in the store, in the order it writes it. The
// droppings keep their count (no value here); the hunger is not written.
struct ResetValue {
    Key key;
    std::optional<std::string_view> value;
};
inline constexpr std::array<ResetValue, 9> kResetValues = {{
    {Key::Jour, ""},
    {Key::Mois, ""},
    {Key::Annee, ""},
    {Key::Heure, ""},
    {Key::Min, ""},
    {Key::DateNourrit, "0"},
    {Key::Stade, ""},
    {Key::Caca, std::nullopt},
    {Key::CacaFait, flag::kOui},
}};

// Writes kResetValues straight to `backend`, the droppings as `caca`.
void writeResetValues(SettingsStore& backend, int16_t caca);

// Whether a store with no stage still holds a pet: any value the reset fixes that is
// neither empty nor the reset's own. An empty store, or what the reset leaves (with
// any hunger and droppings), holds none.
bool holdsAPet(const Store& store);

}  // namespace gribo
