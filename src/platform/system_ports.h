#pragma once

// The system's clock and random source, as the game's ports.

#include <random>

#include "state/ports.h"

namespace gribo::platform {

// The local date and time of the system's wall clock.
class SystemClock : public Clock {
public:
    LocalDateTime now() const override;
};

// A Mersenne twister, reseeded from the wall clock's milliseconds.
class SystemRandom : public Random {
public:
    void reseed() override;
    double next() override;

private:
    std::mt19937 engine_{5489u};
};

}  // namespace gribo::platform
