#pragma once

// The player's store as it lies on disk, read from the file itself. A second QSettings
// in the same process would not do: it shares the first one's cache and sees values
// that never reached the disk.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <map>
#include <string>

#include "state/store_location.h"

namespace gribo::test {

// The player's store under a settings folder (what XDG_CONFIG_HOME names), where the
// game places it (the scripts' helper, store_fixture.py, spells the same place). The
// game's own is store::playerStoreFile().
inline QString storeFileUnder(const QString& config) {
    return config + '/' + QString::fromUtf8(kStoreUnderConfig.data(), qsizetype(kStoreUnderConfig.size()));
}

// "section/key" -> value, keys decoded to UTF-8 ("datecreation/année").
inline std::map<std::string, std::string> storeOnDisk(const QString& file) {
    std::map<std::string, std::string> out;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return out;
    QString section;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            section = QString::fromUtf8(line.mid(1, line.size() - 2));
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) continue;
        // QSettings writes a key's Latin-1 letters as %XX ("ann%E9e").
        const QString key = QString::fromLatin1(QByteArray::fromPercentEncoding(line.left(eq).trimmed()));
        out[(section + '/' + key).toStdString()] = QString::fromUtf8(line.mid(eq + 1).trimmed()).toStdString();
    }
    return out;
}

}  // namespace gribo::test
