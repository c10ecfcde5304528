#include "foresight/stored_pet.h"

#include <cstddef>

namespace gribo::foresight {

StoredPet StoredPet::readFrom(SettingsStore& store) {
    StoredPet pet;
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        const KeyName& n = kKeyNames[i];
        pet.texts[i] = store.read(n.section, n.key);
    }
    return pet;
}

}  // namespace gribo::foresight
