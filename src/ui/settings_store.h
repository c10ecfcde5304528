#pragma once

// The player's store: QSettings("Gribo", "Gribo") in the native format, one group per
// section ($XDG_CONFIG_HOME/Gribo/Gribo.conf on Linux). This is where a player's pet
// lives between runs.

#include <QSettings>
#include <QString>

#include "state/ports.h"

namespace gribo::ui {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    std::string read(std::string_view section, std::string_view key) override;
    // Changes the value in memory at once; it reaches the disk at the next flush().
    void write(std::string_view section, std::string_view key, std::string_view value) override;
    // Writes what changed since the last flush to disk, atomically (QSettings replaces
    // the whole file through a temporary file and a rename). Does nothing when nothing
    // changed.
    void flush();
    QString fileName() const { return settings_.fileName(); }

private:
    QSettings settings_;
    bool dirty_ = false;
    bool warned_ = false;
};

}  // namespace gribo::ui
