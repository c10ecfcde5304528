#include "state/hour_stamp.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace gribo {

int32_t hourStamp(const LocalDateTime& t) {
    const int64_t s = (int64_t{t.year} - 1) * 8640 + (int64_t{t.month} - 1) * 720 + (int64_t{t.day} - 1) * 24 + t.hour;
    return static_cast<int32_t>(s);
}

std::optional<int32_t> creationStamp(int16_t annee, int16_t mois, int16_t jour, int16_t heure) {
    // (jour - 1) * 24 + heure + (mois - 1) * 720, each intermediate within 16 bits.
    auto fits = [](int32_t v) {
        return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
    };
    const int32_t d1 = int32_t{jour} - 1;
    const int32_t d24 = d1 * 24;
    const int32_t dh = d24 + heure;
    const int32_t m1 = int32_t{mois} - 1;
    const int32_t m720 = m1 * 720;
    const int32_t part = dh + m720;
    if (!fits(d1) || !fits(d24) || !fits(dh) || !fits(m1) || !fits(m720) || !fits(part)) return std::nullopt;
    const int64_t total = (int64_t{annee} - 1) * 8640 + part;
    return static_cast<int32_t>(total);
}

}  // namespace gribo
