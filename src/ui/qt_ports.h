#pragma once

// Qt adapters of the game's clock, random and sound, and where its files are.

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
