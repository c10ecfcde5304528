#include "store/settings_file.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QtDebug>
#include <cerrno>
#include <utility>

namespace gribo::store {
namespace {

// What the store reads and writes, for a player (or a test) who asks:
// QT_LOGGING_RULES="gribo.store.debug=true".
Q_LOGGING_CATEGORY(lcStore, "gribo.store", QtInfoMsg)

}  // namespace

SettingsFile::SettingsFile(QString file, FileSystem& fs) : file_(std::move(file)), fs_(fs) {}

SettingsFile::Loaded SettingsFile::load() {
    take(readWholeFile(fs_, file_));
    if (state_ == State::Unreadable) return {false, unreadable_};
    return {};
}

std::string SettingsFile::read(std::string_view section, std::string_view key) {
    lookIfAsked();
    return textAt(values_, iniKey(section, key));
}

void SettingsFile::write(std::string_view section, std::string_view key, std::string_view value) {
    lookIfAsked();
    const QString k = iniKey(section, key);
    const QString v = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    values_.insert(k, v);
    pending_.insert(k, v);
    changed_ = true;
}

void SettingsFile::lookIfAsked() {
    if (!lookFirst_) return;
    lookFirst_ = false;
    readAgainIfChanged();
}

void SettingsFile::readAgainIfChanged() {
    if (state_ == State::NotRead) return;
    // A file that could not be read is tried again each time: making it readable
    // again (its permissions, a folder mounted again) need not change what a stat says.
    if (state_ == State::Readable && !disk_.changed(fs_, file_)) return;
    take(readWholeFile(fs_, file_));
}

void SettingsFile::take(const FileRead& r) {
    if (r.state == FileRead::State::Unreadable) {
        if (state_ != State::Unreadable) {
            qWarning("Gribo: the pet in %s cannot be read: %s", qPrintable(file_), qPrintable(r.reason()));
        }
        // The values in memory stay: the game plays on from them, and writes nothing.
        state_ = State::Unreadable;
        unreadable_ = r.reason();
        return;
    }
    if (state_ == State::Unreadable) qWarning("Gribo: the pet in %s can be read again", qPrintable(file_));
    qCDebug(lcStore, "%s %s", state_ == State::NotRead ? "read" : "read again", qPrintable(file_));
    state_ = State::Readable;
    unreadable_.clear();
    const IniRead ini = parseIni(r.bytes);
    values_ = ini.values;
    for (auto it = pending_.cbegin(); it != pending_.cend(); ++it) values_.insert(it.key(), it.value());
    disk_.saw(r.state == FileRead::State::Read ? std::optional(r.identity) : std::nullopt);
    // Everything that could be read of a damaged file goes back at the next save, as a
    // sound file.
    rewrite_ = !ini.wellFormed && !values_.isEmpty();
    if (!ini.wellFormed) keepCopyOf(r);
    if (unsaved()) changed_ = true;
}

void SettingsFile::keepCopy() {
    lookIfAsked();
    const FileRead r = readWholeFile(fs_, file_);
    if (r.state == FileRead::State::Read) keepCopyOf(r);
}

void SettingsFile::keepCopyOf(const FileRead& r) {
    if (r.state != FileRead::State::Read || keptAside_ == r.identity) return;
    keptAside_ = r.identity;
    QString target;
    if (!resolveLinks(fs_, file_, &target).ok()) target = file_;
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
    QString aside;
    FileResult kept = FileResult::failed(EEXIST);
    // Two copies in the same second are told apart by a number.
    for (int n = 1; n <= 9 && kept.error() == EEXIST; ++n) {
        aside = target + ".corrompu-" + stamp + (n > 1 ? '-' + QString::number(n) : QString());
        kept = writeNewFile(fs_, aside, r.bytes, r.identity.permissions());
    }
    if (kept.ok()) {
        qWarning("Gribo: the pet in %s could not be read whole; a copy was kept as %s", qPrintable(file_),
                 qPrintable(aside));
    } else {
        qWarning("Gribo: the pet in %s could not be read whole, and no copy could be kept: %s", qPrintable(file_),
                 qPrintable(kept.reason()));
    }
}

QString SettingsFile::unreadable() const {
    if (state_ != State::Unreadable) return {};
    return QString::fromUtf8("il ne peut plus être lu (%1)").arg(unreadable_);
}

SettingsFile::Saved SettingsFile::save() {
    if (!unsaved()) {
        changed_ = false;
        return {true, {}};
    }
    if (state_ == State::NotRead) {
        changed_ = false;
        return {false, QString::fromUtf8("le fichier n'a pas encore été lu")};
    }
    // One more look: what the player changed since the handler began is kept too.
    readAgainIfChanged();
    changed_ = false;
    // A file that is there but cannot be read holds a pet this game does not know:
    // nothing is written over it.
    if (state_ == State::Unreadable) return {false, unreadable()};
    if (!unsaved()) return {true, {}};  // the player mended the file the game was to mend
    const FileWrite w = replaceFileDurably(fs_, file_, iniText(values_));
    if (w.written) {
        // The file holds everything now; a failure after the rename still has it
        // written again at the next try, to be sure it reached the disk.
        disk_.saw(w.written);
        pending_.clear();
        rewrite_ = !w.result.ok();
    }
    if (!w.result.ok()) {
        qWarning("Gribo: could not save the pet to %s: %s", qPrintable(file_), qPrintable(w.result.reason()));
        return {false, w.result.reason()};
    }
    qCDebug(lcStore, "saved %s", qPrintable(file_));
    return {true, {}};
}

}  // namespace gribo::store
