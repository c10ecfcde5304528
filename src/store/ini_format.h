#pragma once

// The text of the player's store: the INI layout QSettings reads and writes on Linux,
// done by the game itself so that it knows exactly which bytes reach the disk. The
// bytes written for a set of values are those QSettings writes for the same values,
// so QSettings, earlier versions of the game and a player's own tools go on reading
// the file; what a file holds reads as QSettings reads it.

#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <QVariant>
#include <string>
#include <string_view>

namespace gribo::store {

// Values by "section/key" ("datecreation/année"); a key without a section lies in
// [General].
using IniValues = QMap<QString, QVariant>;

// A value in one of Qt's streamed forms, "@Variant(...)" or "@DateTime(...)", kept as
// its text and written back as it came: the game never needs what such a value holds,
// and Qt's streams trust the lengths they read, so a damaged one could make a reader
// that decodes it ask for gigabytes.
struct StreamedValue {
    QString text;  // "@Variant(...)", escapes undone
    bool operator==(const StreamedValue&) const = default;
};

struct IniRead {
    IniValues values;
    // False when a line could not be understood (a section header without its "]", a
    // line without "=" that is no comment): what could be read is in `values`.
    bool wellFormed = true;
};

IniRead parseIni(QByteArrayView text);
QByteArray iniText(const IniValues& values);

// "section/key", as IniValues names a value.
QString iniKey(std::string_view section, std::string_view key);
// The text of the value at `key`, as the game reads it: empty when absent, and a list
// ("nourrisson, Oeuf1") as its items' texts joined by ", ", as it was written.
std::string textAt(const IniValues& values, const QString& key);

}  // namespace gribo::store

Q_DECLARE_METATYPE(gribo::store::StreamedValue)
