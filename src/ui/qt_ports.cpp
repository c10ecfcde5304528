#include "ui/qt_ports.h"

#include <QDateTime>
#include <QFile>
#include <QUrl>
#include <memory>
#include <random>

namespace gribo::ui {

LocalDateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

void QtRandom::reseed() { engine_.seed(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch())); }

double QtRandom::next() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

CrySound::CrySound(const QString& file) {
    if (!QFile::exists(file)) return;  // silent
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(file));
}

void CrySound::playCry() {
    if (!effect_) return;
    effect_->stop();  // a cry still playing starts again from its beginning
    effect_->play();
}

}  // namespace gribo::ui
