#pragma once

// The store as the session drives it, in memory: what the game wrote, and what the
// last save that landed holds ("the disk"). A save can be refused, as a full disk
// refuses it, and allowed again.

#include <QString>
#include <map>
#include <string>
#include <utility>

#include "store/synced_store.h"
#include "support/fakes.h"

namespace gribo::test {

class MemorySyncedStore final : public store::SyncedStore {
public:
    std::string read(std::string_view section, std::string_view key) override { return memory.read(section, key); }
    void write(std::string_view section, std::string_view key, std::string_view value) override {
        memory.write(section, key, value);
        changed_ = unsaved_ = true;
    }
    void keepCopy() override { memory.keepCopy(); }
    void lookBeforeNextUse() override { ++looks; }
    bool changedSinceLastTry() const override { return changed_; }
    bool unsaved() const override { return unsaved_; }
    Saved save() override {
        changed_ = false;
        if (!unsaved_) return {true, {}};
        ++tries;
        if (!refusal.isEmpty()) return {false, refusal};
        disk = memory.values;
        unsaved_ = false;
        return {true, {}};
    }
    QString unreadable() const override { return {}; }
    QString fileName() const override { return QStringLiteral("memory:Gribo.conf"); }

    // A store an earlier run left: in memory and on the disk, nothing unsaved.
    void holds(const std::map<std::string, std::string>& sectionSlashKey) {
        for (const auto& [path, value] : sectionSlashKey) {
            const auto slash = path.find('/');
            memory.values[{path.substr(0, slash), path.substr(slash + 1)}] = value;
        }
        disk = memory.values;
    }
    // The value on the disk at "section/key"; "(absent)" when it is not there.
    std::string onDisk(const std::string& sectionSlashKey) const {
        const auto slash = sectionSlashKey.find('/');
        const auto it = disk.find({sectionSlashKey.substr(0, slash), sectionSlashKey.substr(slash + 1)});
        return it == disk.end() ? "(absent)" : it->second;
    }

    MemoryStore memory;  // what the game wrote, with the log of its writes
    std::map<std::pair<std::string, std::string>, std::string> disk;
    QString refusal;  // not empty: every save fails, with this reason
    int tries = 0;    // saves that had something to write
    int looks = 0;    // handlers begun

private:
    bool changed_ = false;
    bool unsaved_ = false;
};

}  // namespace gribo::test
