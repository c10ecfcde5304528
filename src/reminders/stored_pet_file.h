#pragma once

// The player's store as the reminder service sees it: read whole, never written, never
// copied aside. The one place the service reads it.

#include <QString>

#include "foresight/stored_pet.h"

namespace gribo::reminders {

struct PetOnDisk {
    enum class State { Read, Missing, Unreadable } state = State::Missing;
    foresight::StoredPet pet;  // Read: the ten texts (a key the file lacks is empty)
    QString reason;            // Unreadable: the system's words
};

PetOnDisk readStoredPet(const QString& file);

}  // namespace gribo::reminders
