#pragma once

// The player's store: the file QSettings(NativeFormat, UserScope, "Gribo", "Gribo")
// reads ($XDG_CONFIG_HOME/Gribo/Gribo.conf on Linux), one group per section. This is
// where a player's pet lives between runs. The game reads it and writes it itself, in
// the bytes QSettings would write, so that every step of a save is checked.

#include <QString>
#include <string>
#include <string_view>

#include "state/ports.h"
#include "store/file_system.h"
#include "store/ini_format.h"

namespace gribo::store {

// The store as the shell drives it: the game's reads and writes, and the save that
// makes them durable after each handler.
class SavedStore : public SettingsStore {
public:
    struct Saved {
        bool done = false;
        QString reason;  // not done: why, in the system's words
    };
    // Something was written since the last save was tried.
    virtual bool changedSinceLastTry() const = 0;
    // Something written has not reached the disk yet.
    virtual bool unsaved() const = 0;
    // Writes the whole store to disk. What fails stays unsaved, for the next try.
    virtual Saved save() = 0;
    virtual QString fileName() const = 0;
};

class StoreFile final : public SavedStore {
public:
    // Where the player's store lies.
    static QString playerFile();
    // The store at `file`, reached through `fs`. Nothing is read before load().
    explicit StoreFile(QString file, FileSystem& fs = systemFiles());

    struct Loaded {
        bool readable = true;
        QString reason;  // not readable: the system's words
    };
    // Reads the file. A missing file is an empty store. A file that is there but
    // cannot be read is never taken for an empty one: the store then holds nothing,
    // and never writes over the file. A file with lines that cannot be understood is
    // copied aside once, and what could be read of it is saved whole at the next save.
    Loaded load();
    bool loaded() const { return state_ == State::Loaded; }

    std::string read(std::string_view section, std::string_view key) override;
    // Changes the value in memory at once; it reaches the disk at the next save().
    void write(std::string_view section, std::string_view key, std::string_view value) override;
    // Copies the file as it is on disk to Gribo.conf.corrompu-<date>, once per run.
    void keepCopy() override;

    bool changedSinceLastTry() const override { return changed_; }
    bool unsaved() const override { return unsaved_; }
    Saved save() override;
    QString fileName() const override { return file_; }

private:
    enum class State { NotRead, Loaded, Unreadable };

    QString file_;
    FileSystem& fs_;
    State state_ = State::NotRead;
    QString unreadable_;
    IniValues values_;
    bool changed_ = false;
    bool unsaved_ = false;
    bool keptCopy_ = false;
};

}  // namespace gribo::store
