#include "reminders/stored_pet_file.h"

#include <QStringList>
#include <QVariant>
#include <cstddef>

#include "state/store_keys.h"
#include "store/durable_file.h"
#include "store/ini_format.h"

namespace gribo::reminders {

PetOnDisk readStoredPet(const QString& file) {
    const store::FileRead r = store::readWholeFile(store::systemFiles(), file);
    PetOnDisk seen;
    if (r.state == store::FileRead::State::Missing) return seen;
    if (r.state == store::FileRead::State::Unreadable) {
        seen.state = PetOnDisk::State::Unreadable;
        seen.reason = r.reason;
        return seen;
    }
    seen.state = PetOnDisk::State::Read;
    const store::IniValues values = store::parseIni(r.bytes).values;
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        const QString path = QString::fromUtf8(kKeyNames[i].section.data(), qsizetype(kKeyNames[i].section.size())) +
                             '/' + QString::fromUtf8(kKeyNames[i].key.data(), qsizetype(kKeyNames[i].key.size()));
        const QVariant value = values.value(path);
        // A list ("nourrisson, Oeuf1") reads as the text it came from, as in the game.
        const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                                      : value.toString();
        seen.pet.texts[i] = text.toStdString();
    }
    return seen;
}

}  // namespace gribo::reminders
