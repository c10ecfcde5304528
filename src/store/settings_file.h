#pragma once

// The player's store as the game plays on it: the file QSettings(NativeFormat,
// UserScope, "Gribo", "Gribo") reads, one group per section. The game reads it and
// writes it itself, in the bytes QSettings would write, so that every step of a save is
// checked; it follows the player's links, and the file stays the reference: a change
// made on disk while the game runs is read before the game next uses the store, and
// only the keys the game wrote since its last save go over it.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "store/disk_look.h"
#include "store/durable_file.h"
#include "store/file_system.h"
#include "store/ini_format.h"
#include "store/synced_store.h"

namespace gribo::store {

class SettingsFile final : public SyncedStore {
public:
    // The store at `file`, reached through `fs`. Nothing is read before load().
    explicit SettingsFile(QString file, FileSystem& fs = systemFiles());

    struct Loaded {
        bool readable = true;
        QString reason;  // not readable: the system's words
    };
    // Reads the file as the game starts. A missing file is an empty store. A file that
    // is there but cannot be read is never taken for an empty one: nothing is written
    // over it. A file with lines that cannot be understood is copied aside, and what
    // could be read of it is saved whole at the next save.
    Loaded load();

    std::string read(std::string_view section, std::string_view key) override;
    // Changes the value in memory at once; it reaches the disk at the next save().
    void write(std::string_view section, std::string_view key, std::string_view value) override;
    // Copies the file as it is on disk to Gribo.conf.corrompu-<date>, beside the file
    // its links lead to, with its permissions; once for each version of the file.
    void keepCopy() override;

    void lookBeforeNextUse() override { lookFirst_ = true; }
    bool changedSinceLastTry() const override { return changed_; }
    bool unsaved() const override { return !pending_.isEmpty() || rewrite_; }
    Saved save() override;
    QString unreadable() const override;
    QString fileName() const override { return file_; }

private:
    enum class State { NotRead, Readable, Unreadable };

    void lookIfAsked();
    void readAgainIfChanged();
    // Takes what a reading of the file found: its values, with the game's writes since
    // its last save over them.
    void take(const FileRead& r);
    void keepCopyOf(const FileRead& r);

    QString file_;
    FileSystem& fs_;
    State state_ = State::NotRead;
    QString unreadable_;  // Unreadable: the system's words
    DiskLook disk_;
    IniValues values_;      // the file as last read, and the game's writes
    IniValues pending_;     // the game's writes since its last save that landed
    bool rewrite_ = false;  // the file must be written again though the game wrote nothing
    bool changed_ = false;
    bool lookFirst_ = false;
    std::optional<FileIdentity> keptAside_;  // the version of the file last copied aside
};

}  // namespace gribo::store
