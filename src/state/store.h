#pragma once

// The pet's view of the settings store: the ten keys by name, write-through, with
// every write of a value that is already stored skipped (the bath writes "0" on each
// of its 300 ticks; only the first one reaches the disk). The backend may change under
// it (a store that reads its file again): every read goes to the backend.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/ports.h"
#include "state/store_keys.h"
#include "state/values.h"

namespace gribo {

class Store {
public:
    explicit Store(SettingsStore& backend) : backend_(backend) {}
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // The stored text of `k` (empty when absent). Reads the backend each time,
    // except once detached.
    const std::string& get(Key k);
    // The stored text of `k`, without taking it as known: a later write of the same
    // text still reaches the backend.
    std::string peek(Key k) const;
    // Writes `value` unless it is what `k` already holds.
    void set(Key k, std::string_view value);
    void setNumber(Key k, int64_t value) { set(k, numberText(value).view()); }

    // Keeps the store as it is aside (not once detached).
    void keepCopy() {
        if (!detached_) backend_.keepCopy();
    }

    // The stored number of `k` under the common policy: text that does not read as a
    // 16-bit (or 32-bit) number is repaired to the value it reads as, and written
    // back so the store is readable again.
    int16_t getInt16Repaired(Key k);

    // After the developer reset the store belongs to the next pet: the running game
    // keeps reading and writing its own copy of the ten values and leaves the
    // backend alone. `wipe` runs once, writing straight to the backend.
    template <typename Wipe>
    void detachAfter(Wipe&& wipe) {
        for (std::size_t i = 0; i < kKeyCount; ++i) get(static_cast<Key>(i));
        wipe(backend_);
        detached_ = true;
    }
    bool detached() const { return detached_; }

private:
    SettingsStore& backend_;
    std::array<std::optional<std::string>, kKeyCount> known_;
    bool detached_ = false;
};

}  // namespace gribo
