#include "support/fakes.h"

#include <string>
#include <string_view>
#include <vector>

namespace gribo::test {
namespace {

// Days since 1970-01-01 of a Gregorian date, and back (H. Hinnant's algorithms).
long daysFromCivil(long y, long m, long d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

void FakeClock::advanceMinutes(long minutes) {
    long total = daysFromCivil(now_.year, now_.month, now_.day) * 1440 + now_.hour * 60 + now_.minute + minutes;
    long days = total >= 0 ? total / 1440 : (total - 1439) / 1440;
    long rest = total - days * 1440;
    civilFromDays(days, now_.year, now_.month, now_.day);
    now_.hour = static_cast<int>(rest / 60);
    now_.minute = static_cast<int>(rest % 60);
}

double ScriptedRandom::next() {
    const double v = values_[pos_ < values_.size() ? pos_ : values_.size() - 1];
    if (pos_ < values_.size()) ++pos_;
    return v;
}

std::string MemoryStore::read(std::string_view section, std::string_view key) {
    auto it = values.find({std::string(section), std::string(key)});
    return it == values.end() ? std::string() : it->second;
}

void MemoryStore::write(std::string_view section, std::string_view key, std::string_view value) {
    values[{std::string(section), std::string(key)}] = std::string(value);
    log.push_back({std::string(section), std::string(key), std::string(value)});
}

std::string MemoryStore::get(Key k) const {
    auto it = values.find({std::string(nameOf(k).section), std::string(nameOf(k).key)});
    return it == values.end() ? std::string() : it->second;
}

void MemoryStore::put(Key k, std::string_view value) {
    values[{std::string(nameOf(k).section), std::string(nameOf(k).key)}] = std::string(value);
}

bool MemoryStore::has(Key k) const {
    return values.count({std::string(nameOf(k).section), std::string(nameOf(k).key)}) != 0;
}

// Spelt out here rather than taken from the game's key table, so a renamed key is
// caught.
std::vector<MemoryStore::Write> firstRunWrites(const LocalDateTime& t) {
    return {
        {"datecreation", "jour", std::to_string(t.day)},
        {"datecreation", "mois", std::to_string(t.month)},
        {"datecreation", "année", std::to_string(t.year)},
        {"datecreation", "heure", std::to_string(t.hour)},
        {"datecreation", "min", std::to_string(t.minute)},
        {"stade", "stade", "Oeuf1"},
        {"datestats", "datenourrit", std::to_string(hourStamp(t))},
        {"stats", "faim", "0"},
        {"stats", "caca", "0"},
        {"stats", "cacafait", "Oui"},
    };
}

}  // namespace gribo::test
