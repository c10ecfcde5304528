#pragma once

// Qt adapters of the game's clock, random and sound. Where its files are is in
// asset_folder.h.

#include <QSoundEffect>
#include <QString>
#include <memory>
#include <random>

#include "state/ports.h"
#include "ui/asset_folder.h"

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

// The crying sound, loaded once from datas/gribo/pleure.wav and replayed
// from its start at each cry. A missing file or no audio device is silent.
class CrySound : public Sound {
public:
    explicit CrySound(const QString& file);
    void playCry() override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace gribo::ui
