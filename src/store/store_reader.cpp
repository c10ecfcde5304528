#include "store/store_reader.h"

#include <utility>

namespace gribo::store {

StoreReader::StoreReader(QString file, FileSystem& fs) : file_(std::move(file)), fs_(fs) {}

StoreReader::Reading StoreReader::load() {
    const FileRead r = readWholeFile(fs_, file_);
    Reading reading;
    reading.state = r.state;
    readable_ = r.state != FileRead::State::Unreadable;
    if (!readable_) {
        reading.reason = r.reason();
        return reading;
    }
    const IniRead ini = parseIni(r.bytes);
    values_ = ini.values;
    reading.wellFormed = ini.wellFormed;
    disk_.saw(r.state == FileRead::State::Read ? std::optional(r.identity) : std::nullopt);
    return reading;
}

bool StoreReader::changedOnDisk() { return !readable_ || disk_.changed(fs_, file_); }

std::string StoreReader::read(std::string_view section, std::string_view key) {
    return textAt(values_, iniKey(section, key));
}

void StoreReader::write(std::string_view section, std::string_view key, std::string_view value) {
    values_.insert(iniKey(section, key), QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

}  // namespace gribo::store
