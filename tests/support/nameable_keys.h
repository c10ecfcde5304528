#pragma once

// The keys QSettings' value() can name: a key with an empty part ("a/", "/b", "a//b")
// reads as another one. The game reads only its ten keys, and writes the others back
// as QSettings would, which may move such a key under another name.

#include <QLatin1String>
#include <QMap>
#include <QString>
#include <QVariant>

namespace gribo::test {

inline bool nameable(const QString& key) {
    return !key.isEmpty() && !key.startsWith(u'/') && !key.endsWith(u'/') && !key.contains(QLatin1String("//"));
}

// Whether a key, written back, is read back under its own name: QSettings writes a
// section "GENERAL" or "general" as "[%General]", read back as "General".
inline bool keepsItsNameWhenWritten(const QString& key) {
    const QString section = key.section(u'/', 0, 0);
    return !key.contains(u'/') || section == QLatin1String("General") ||
           section.compare(QLatin1String("general"), Qt::CaseInsensitive) != 0;
}

inline QMap<QString, QVariant> nameableOnly(const QMap<QString, QVariant>& values) {
    QMap<QString, QVariant> out;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (nameable(it.key())) out.insert(it.key(), it.value());
    }
    return out;
}

}  // namespace gribo::test
