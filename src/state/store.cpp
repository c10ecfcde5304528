#include "state/store.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace gribo {

const std::string& Store::get(Key k) {
    auto& slot = known_[static_cast<std::size_t>(k)];
    if (!detached_) {
        const KeyName& n = nameOf(k);
        slot = backend_.read(n.section, n.key);
    } else if (!slot) {
        slot.emplace();
    }
    return *slot;
}

std::string Store::peek(Key k) const {
    if (detached_) return known_[static_cast<std::size_t>(k)].value_or("");
    return backend_.read(nameOf(k).section, nameOf(k).key);
}

void Store::set(Key k, std::string_view value) {
    auto& slot = known_[static_cast<std::size_t>(k)];
    const KeyName& n = nameOf(k);
    // A value known to be stored is looked at once more in the backend, which may have
    // read its file again since: only the value stored now is not written again.
    if (slot && *slot == value && (detached_ || backend_.read(n.section, n.key) == value)) return;
    if (slot) {
        slot->assign(value);
    } else {
        slot.emplace(value);
    }
    if (detached_) return;
    backend_.write(n.section, n.key, value);
}

int16_t Store::getInt16Repaired(Key k) {
    const ReadValue<int16_t> r = readInt16(get(k));
    if (!r.ok()) setNumber(k, r.value);
    return r.value;
}

}  // namespace gribo
