#include "ui/settings_store.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtDebug>
#include <string>
#include <string_view>

namespace gribo::ui {
namespace {

QString toQ(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString keyPath(std::string_view section, std::string_view key) { return toQ(section) + '/' + toQ(key); }

// Enough of a file's identity to see that it was replaced or rewritten.
struct FileState {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    long long seconds = 0, nanoseconds = 0, size = 0;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& file) {
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0) return {};
    return {true, st.st_dev, st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size};
}

// Why nothing can be saved at `file`, in the system's words: the same steps a save
// takes (the folder, a new file beside the store, some bytes in it), never committed.
QString whyNotSaved(const QString& file) {
    QDir().mkpath(QFileInfo(file).path());
    QSaveFile probe(file);
    if (!probe.open(QIODevice::WriteOnly)) return probe.errorString();
    const QByteArray block(64 * 1024, '\n');
    QString reason;
    if (probe.write(block) != block.size() || !probe.flush()) reason = probe.errorString();
    probe.cancelWriting();
    return reason.isEmpty() ? QStringLiteral("raison inconnue") : reason;
}

}  // namespace

QtSettingsStore::QtSettingsStore() : settings_(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo") {
    healIfDamaged();
}

QString QtSettingsStore::playerFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Gribo/Gribo.conf";
}

QtSettingsStore::QtSettingsStore(const QString& file) : settings_(file, QSettings::IniFormat) { healIfDamaged(); }

void QtSettingsStore::healIfDamaged() {
    const QStringList keys = settings_.allKeys();  // the file is parsed at the first access
    if (settings_.status() != QSettings::FormatError) return;
    keepCopy();
    // Everything Qt could read goes back at the first flush, as a file it can parse.
    for (const QString& key : keys) settings_.setValue(key, settings_.value(key));
    dirty_ = !keys.isEmpty();
}

std::string QtSettingsStore::read(std::string_view section, std::string_view key) {
    const QVariant value = settings_.value(keyPath(section, key));
    // "nourrisson, Oeuf1" reads as a list; the game wants the text it came from.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::write(std::string_view section, std::string_view key, std::string_view value) {
    settings_.setValue(keyPath(section, key), toQ(value));
    dirty_ = true;
}

void QtSettingsStore::keepCopy() {
    const QString file = settings_.fileName();
    if (keptCopy_ || !QFile::exists(file)) return;
    keptCopy_ = true;
    const QString aside = file + ".corrompu-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    if (QFile::copy(file, aside)) {
        qWarning("Gribo: the pet in %s could not be read whole; a copy was kept as %s", qPrintable(file),
                 qPrintable(aside));
    } else {
        qWarning("Gribo: the pet in %s could not be read whole, and no copy could be kept", qPrintable(file));
    }
}

bool QtSettingsStore::flush() {
    if (!dirty_) return true;
    dirty_ = false;  // what failed stays pending in QSettings and goes with the next save
    const QString file = settings_.fileName();
    const FileState before = stateOf(file);
    settings_.sync();
    // QSettings keeps reporting an error it once met (a damaged file, a full disk), so
    // whether this save landed is read from the file: a saved file is a new one.
    const FileState after = stateOf(file);
    if (after.exists && !(after == before)) return true;
    const QString reason = whyNotSaved(file);
    if (!reported_.contains(reason)) {
        reported_.insert(reason);
        qWarning("Gribo: could not save the pet to %s: %s", qPrintable(file), qPrintable(reason));
        if (onFailure_) onFailure_(file, reason);
    }
    return false;
}

}  // namespace gribo::ui
