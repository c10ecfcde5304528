#include "ui/settings_store.h"

#include <QDateTime>
#include <QFile>
#include <QtDebug>

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

QtSettingsStore::QtSettingsStore() : settings_(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo") {
    keepCorruptFileAside(settings_);
}

std::string QtSettingsStore::read(std::string_view section, std::string_view key) {
    return settings_.value(keyPath(section, key)).toString().toStdString();
}

void QtSettingsStore::write(std::string_view section, std::string_view key, std::string_view value) {
    settings_.setValue(keyPath(section, key), toQ(value));
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

}  // namespace gribo::ui
