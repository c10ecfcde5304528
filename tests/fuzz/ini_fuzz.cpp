// The store's reader on any bytes a player, a tool or a broken disk may leave: it never
// crashes, and what it reads, written back by the game's writer, reads back the same:
// every text as it was, every list as the same text for the game, and the file then
// written is the one the game writes again, so nothing drifts from save to save. Values
// in Qt's streamed forms (@Variant, @DateTime) are kept as their text, never decoded.

#include <QByteArray>
#include <QByteArrayView>
#include <QDebug>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "store/ini_format.h"
#include "support/nameable_keys.h"

namespace {

using gribo::store::IniRead;
using gribo::store::IniValues;

// A value kept as text: a text, a list of texts, or one in Qt's streamed forms.
bool textual(const QVariant& v) {
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QStringList) return true;
    if (v.metaType() == QMetaType::fromType<gribo::store::StreamedValue>()) return true;
    if (v.typeId() != QMetaType::QVariantList) return false;
    for (const QVariant& item : v.toList()) {
        if (item.typeId() != QMetaType::QString) return false;
    }
    return true;
}

[[noreturn]] void fault(const char* what, const IniValues& read, const QByteArray& written, const IniRead& again) {
    qWarning() << what << "\nread:" << read << "\nwritten:" << written << "\nread back:" << again.values
               << "\nwell formed:" << again.wellFormed;
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace gribo::store;
    const IniRead first = parseIni(QByteArrayView(data, static_cast<qsizetype>(size)));
    // The keys a QSettings user can name, and that QSettings writes back under the same.
    IniValues read = gribo::test::nameableOnly(first.values);
    read.removeIf([](const auto& kv) { return !gribo::test::keepsItsNameWhenWritten(kv.key()); });
    IniValues texts;
    for (auto it = read.cbegin(); it != read.cend(); ++it) {
        if (textual(it.value())) texts.insert(it.key(), it.value());
    }

    const QByteArray written = iniText(read);
    const IniRead again = parseIni(written);
    if (!again.wellFormed) fault("the game's own file is not well formed", read, written, again);
    if (again.values.keys() != read.keys()) fault("keys lost or added", read, written, again);

    const QByteArray writtenTexts = iniText(texts);
    const IniRead textsAgain = parseIni(writtenTexts);
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        const QVariant& back = textsAgain.values[it.key()];
        const bool single = it.value().typeId() == QMetaType::QString ||
                            it.value().metaType() == QMetaType::fromType<gribo::store::StreamedValue>();
        if (single && back != it.value()) {
            fault("a text read back as another value", texts, writtenTexts, textsAgain);
        }
        if (textAt(texts, it.key()) != textAt(textsAgain.values, it.key())) {
            fault("a list the game reads as another text", texts, writtenTexts, textsAgain);
        }
    }
    if (iniText(textsAgain.values) != writtenTexts) {
        fault("the file changes from one save to the next", texts, writtenTexts, textsAgain);
    }
    return 0;
}
