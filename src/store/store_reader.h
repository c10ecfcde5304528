#pragma once

// The player's store, read only: for a program that reads the pet without playing it
// (the reminders). It follows the store's links, and it never writes, copies aside,
// mends or creates anything, file or folder.
//
//     store::StoreReader store(store::playerStoreFile());
//     const store::StoreReader::Reading r = store.load();
//     if (r.state == store::FileRead::State::Unreadable) qWarning("%s", qPrintable(r.reason));
//     ... store.read("stats", "faim") ...
//     // later, at each wake-up: one stat, and a new reading only if the file changed
//     if (store.changedOnDisk()) store.load();
//
// As a SettingsStore it reads the values of the last reading; what is written to it
// stays in its memory, never reaches the file, and is gone at the next load() that
// reads the file.

#include <QString>
#include <string>
#include <string_view>

#include "state/ports.h"
#include "store/disk_look.h"
#include "store/durable_file.h"
#include "store/file_system.h"
#include "store/ini_format.h"

namespace gribo::store {

class StoreReader final : public SettingsStore {
public:
    // The store at `file`, reached through `fs`. Nothing is read before load().
    explicit StoreReader(QString file, FileSystem& fs = systemFiles());

    struct Reading {
        // Read; Missing: no file there, no pet (every key reads empty); Unreadable: a
        // file is there but cannot be read, or a link leads nowhere.
        FileRead::State state = FileRead::State::Missing;
        QString reason;          // Unreadable: why, in the system's words
        bool wellFormed = true;  // Read: every line understood (what could be read is read either way)
    };
    // Reads the whole file now, links followed. When it cannot be read, the values of
    // the last reading stay.
    Reading load();
    // Whether the file is another than at the last load(): one stat. True before the
    // first load() and after one that could not read the file.
    bool changedOnDisk();

    std::string read(std::string_view section, std::string_view key) override;
    void write(std::string_view section, std::string_view key, std::string_view value) override;

    // Every value of the last reading, by "section/key".
    const IniValues& values() const { return values_; }
    const QString& fileName() const { return file_; }

private:
    QString file_;
    FileSystem& fs_;
    DiskLook disk_;
    bool readable_ = false;
    IniValues values_;
};

}  // namespace gribo::store
