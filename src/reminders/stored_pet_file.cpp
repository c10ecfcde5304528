#include "reminders/stored_pet_file.h"

#include "store/store_reader.h"

namespace gribo::reminders {

PetOnDisk readStoredPet(const QString& file) {
    store::StoreReader reader(file);
    const store::StoreReader::Reading r = reader.load();
    PetOnDisk seen;
    if (r.state == store::FileRead::State::Missing) return seen;
    if (r.state == store::FileRead::State::Unreadable) {
        seen.state = PetOnDisk::State::Unreadable;
        seen.reason = r.reason;
        return seen;
    }
    seen.state = PetOnDisk::State::Read;
    seen.pet = foresight::StoredPet::readFrom(reader);
    return seen;
}

}  // namespace gribo::reminders
