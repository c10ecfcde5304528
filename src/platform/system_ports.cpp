#include "platform/system_ports.h"

#include <QDateTime>
#include <random>

namespace gribo::platform {

LocalDateTime SystemClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

void SystemRandom::reseed() {
    engine_.seed(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
}

double SystemRandom::next() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

}  // namespace gribo::platform
