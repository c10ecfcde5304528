#include "store/settings_store.h"

#include <QDateTime>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>
#include <QtDebug>
#include <string>
#include <string_view>

#include "state/store_location.h"
#include "store/durable_file.h"

namespace gribo::store {
namespace {

QString toQ(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString keyPath(std::string_view section, std::string_view key) { return toQ(section) + '/' + toQ(key); }

}  // namespace

QString StoreFile::playerFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + '/' + toQ(kStoreUnderConfig);
}

StoreFile::StoreFile(QString file, FileSystem& fs) : file_(std::move(file)), fs_(fs) {}

StoreFile::Loaded StoreFile::load() {
    values_.clear();
    const FileRead r = readWholeFile(fs_, file_);
    if (r.state == FileRead::State::Unreadable) {
        state_ = State::Unreadable;
        unreadable_ = r.reason;
        qWarning("Gribo: the pet in %s cannot be read: %s", qPrintable(file_), qPrintable(r.reason));
        return {false, r.reason};
    }
    state_ = State::Loaded;
    const IniRead ini = parseIni(r.bytes);
    values_ = ini.values;
    if (!ini.wellFormed) {
        keepCopy();
        // Everything that could be read goes back at the next save, as a sound file.
        changed_ = unsaved_ = !values_.isEmpty();
    }
    return {};
}

std::string StoreFile::read(std::string_view section, std::string_view key) {
    const QVariant value = values_.value(keyPath(section, key));
    // "nourrisson, Oeuf1" reads as a list; the game wants the text it came from.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
}

void StoreFile::write(std::string_view section, std::string_view key, std::string_view value) {
    values_.insert(keyPath(section, key), toQ(value));
    changed_ = unsaved_ = true;
}

void StoreFile::keepCopy() {
    if (keptCopy_ || !QFile::exists(file_)) return;
    keptCopy_ = true;
    const QString aside = file_ + ".corrompu-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    if (QFile::copy(file_, aside)) {
        qWarning("Gribo: the pet in %s could not be read whole; a copy was kept as %s", qPrintable(file_),
                 qPrintable(aside));
    } else {
        qWarning("Gribo: the pet in %s could not be read whole, and no copy could be kept", qPrintable(file_));
    }
}

StoreFile::Saved StoreFile::save() {
    changed_ = false;
    if (!unsaved_) return {true, {}};
    // A file that is there but could not be read holds a pet this game does not know:
    // nothing is written over it.
    if (state_ == State::Unreadable) return {false, unreadable_};
    if (state_ == State::NotRead) return {false, QStringLiteral("le fichier n'a pas encore \u00e9t\u00e9 lu")};
    const FileWrite w = replaceFileDurably(fs_, file_, iniText(values_));
    if (!w.done) {
        qWarning("Gribo: could not save the pet to %s: %s", qPrintable(file_), qPrintable(w.reason));
        return {false, w.reason};
    }
    unsaved_ = false;
    return {true, {}};
}

}  // namespace gribo::store
