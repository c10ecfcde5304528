#pragma once

// Qt adapters of the game's clock, random, settings store and sound.

#include <QSettings>
#include <QSoundEffect>
#include <QString>
#include <memory>
#include <random>

#include "state/ports.h"

namespace gribo::ui {

class QtClock : public Clock {
public:
    LocalDateTime now() const override;
};

class QtRandom : public Random {
public:
    void reseed() override;
    double next() override;

private:
    std::mt19937 engine_{5489u};
};

// The player's store: QSettings("Gribo", "Gribo") in the native format, one group per
// section. Writes of a value already stored are skipped; the rest reach the disk at
// the next flush(), which every handler calls once before it returns.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    std::string read(std::string_view section, std::string_view key) override;
    void write(std::string_view section, std::string_view key, std::string_view value) override;
    // Writes pending changes to disk (atomically: QSettings replaces the file).
    void flush();
    QString fileName() const { return settings_.fileName(); }
    bool pending() const { return dirty_; }

private:
    QSettings settings_;
    bool dirty_ = false;
    bool warned_ = false;
};

// The crying sound, loaded once from <exe dir>/datas/gribo/pleure.wav and replayed
// from its start at each cry. A missing file or no audio device is silent.
class CrySound : public Sound {
public:
    explicit CrySound(const QString& file);
    void playCry() override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};

// <folder of the executable>/<relative path of the asset, with '/' separators>.
QString assetFile(std::string_view path);

}  // namespace gribo::ui
