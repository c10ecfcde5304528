#include "ui/qt_ports.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <QtDebug>

#include "assets/catalogue.h"

namespace gribo::ui {
namespace {

QString toQ(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString keyPath(std::string_view section, std::string_view key) { return toQ(section) + '/' + toQ(key); }

// A store file that QSettings cannot parse is kept aside before anything is written
// over it, so the player's pet can still be recovered by hand.
void keepCorruptFileAside(const QSettings& settings) {
    (void)settings.allKeys();  // the file is parsed at the first access
    if (settings.status() != QSettings::FormatError) return;
    const QString file = settings.fileName();
    const QString aside = file + ".corrompu-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    if (QFile::copy(file, aside)) {
        qWarning("Gribo: the store %s could not be read; a copy was kept as %s", qPrintable(file), qPrintable(aside));
    } else {
        qWarning("Gribo: the store %s could not be read", qPrintable(file));
    }
}

}  // namespace

LocalDateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

void QtRandom::reseed() { engine_.seed(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch())); }

double QtRandom::next() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

QtSettingsStore::QtSettingsStore() : settings_(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo") {
    keepCorruptFileAside(settings_);
}

std::string QtSettingsStore::read(std::string_view section, std::string_view key) {
    return settings_.value(keyPath(section, key)).toString().toStdString();
}

void QtSettingsStore::write(std::string_view section, std::string_view key, std::string_view value) {
    const QString path = keyPath(section, key);
    const QString text = toQ(value);
    const QVariant old = settings_.value(path);
    if (old.isValid() && old.toString() == text) return;
    settings_.setValue(path, text);
    dirty_ = true;
}

void QtSettingsStore::flush() {
    if (!dirty_) return;
    dirty_ = false;
    settings_.sync();
    if (settings_.status() != QSettings::NoError && !warned_) {
        warned_ = true;
        qWarning("Gribo: could not save the pet to %s", qPrintable(settings_.fileName()));
    }
}

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

QString assetFile(std::string_view path) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(toQ(asset::toRelativeFile(path)));
}

}  // namespace gribo::ui
