#pragma once

// The player's store: QSettings("Gribo", "Gribo") in the native format, one group per
// section ($XDG_CONFIG_HOME/Gribo/Gribo.conf on Linux). This is where a player's pet
// lives between runs.

#include <QSet>
#include <QSettings>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "state/ports.h"

namespace gribo::ui {

class QtSettingsStore : public SettingsStore {
public:
    // Told the file and the system's reason when a save could not reach the disk.
    using FailureHandler = std::function<void(const QString& file, const QString& reason)>;

    // The player's store. A file QSettings cannot fully parse is kept aside, and what
    // could be read of it is written back whole at the first flush, so the next start
    // finds a sound file.
    QtSettingsStore();
    // Where the player's store lies, found without opening it.
    static QString playerFile();
    // A store in the same format at `file` (a temporary folder in tests).
    explicit QtSettingsStore(const QString& file);

    std::string read(std::string_view section, std::string_view key) override;
    // Changes the value in memory at once; it reaches the disk at the next flush().
    void write(std::string_view section, std::string_view key, std::string_view value) override;
    // Copies the file as it is on disk to Gribo.conf.corrompu-<date>, once per run.
    void keepCopy() override;

    // Writes what changed since the last flush to disk, atomically (QSettings replaces
    // the whole file through a temporary file and a rename), and tells whether it
    // landed, judged from the file itself. Does nothing when nothing changed. A save
    // that fails is tried again with the next change; each cause of failure reaches
    // the handler once.
    bool flush();
    void onFailure(FailureHandler handler) { onFailure_ = std::move(handler); }
    QString fileName() const { return settings_.fileName(); }

private:
    void healIfDamaged();

    QSettings settings_;
    bool dirty_ = false;
    bool keptCopy_ = false;
    QSet<QString> reported_;
    FailureHandler onFailure_;
};

}  // namespace gribo::ui
