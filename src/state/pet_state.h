#pragma once

#include <cstdint>
#include <string>

namespace gribo {

// The one pet, as the main window holds it. Starts zeroed and empty; start-up fills it.
struct PetState {
    int16_t compteur = 0;       // ticks since the current stage or activity began
    int16_t moisdemarrage = 0;  // month read at start-up (written on a first run)
    std::string stade;          // life stage or activity (see stages.h)
    int16_t numimage = 0;       // idle frame, 0 = none chosen yet, else 1..13
    int16_t faim = 0;           // hunger, may be negative
    int16_t caca = 0;           // droppings lying in the scene
    std::string cacafait;       // "Oui": no dropping owed, "Non": one owed
    int32_t datenourrit = 0;    // hour stamp up to which hunger has been counted
};

}  // namespace gribo
