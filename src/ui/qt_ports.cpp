#include "ui/qt_ports.h"

#include <QDateTime>
#include <QFile>
#include <memory>
#include <random>

#if GRIBO_WITH_PULSE
#include "ui/pulse_cry.h"
#else
#include <QSoundEffect>
#include <QUrl>
#endif

namespace gribo::ui {
namespace {

#if !GRIBO_WITH_PULSE

// Loaded once, replayed from its start at each cry. (On Qt 6.4 with PulseAudio most
// replays are lost or come as fragments: builds with libpulse use PulseCry.) The mixer
// names it through the environment the game sets at start (platform_env.h).
class CrySound : public Sound {
public:
    explicit CrySound(const QString& file) {
        if (!QFile::exists(file)) return;  // silent
        effect_ = std::make_unique<QSoundEffect>();
        effect_->setSource(QUrl::fromLocalFile(file));
    }
    void playCry() override {
        if (!effect_) return;
        effect_->stop();  // a cry still playing starts again from its beginning
        effect_->play();
    }

private:
    std::unique_ptr<QSoundEffect> effect_;
};
#endif

}  // namespace

LocalDateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

void QtRandom::reseed() { engine_.seed(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch())); }

double QtRandom::next() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

std::unique_ptr<Sound> makeCrySound(const QString& file) {
#if GRIBO_WITH_PULSE
    return std::make_unique<PulseCry>(file);
#else
    return std::make_unique<CrySound>(file);
#endif
}

}  // namespace gribo::ui
