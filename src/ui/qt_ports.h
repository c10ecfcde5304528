#pragma once

// Qt adapters of the game's clock, random and sound. Where its files are is in
// asset_folder.h.

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

// The crying sound of datas/gribo/pleure.wav. Where the game is built with libpulse
// (GRIBO_WITH_PULSE) the desktop's sound server plays it from its sample cache
// (pulse_cry.h); elsewhere Qt Multimedia plays it. A missing file or no audio device
// is silent.
std::unique_ptr<Sound> makeCrySound(const QString& file);

}  // namespace gribo::ui
