#pragma once

// Files as a player (or a sync tool) leaves them, made and looked at with Qt's own
// file calls, not the store's.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "support/store_file.h"

namespace gribo::test {

inline QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes `bytes` over `path` in place (the same file, as an editor that saves in place).
inline void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Writes `bytes` as a new file renamed over `path` (as a sync tool or QSaveFile does).
inline void replace(const QString& path, const QByteArray& bytes) {
    const QString fresh = path + ".sync-tmp";
    put(fresh, bytes);
    QFile::remove(path);
    ASSERT_TRUE(QFile::rename(fresh, path));
}

// A symbolic link at `path` whose text is `target`, relative or not.
inline void link(const QString& target, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0)
        << path.toStdString() << " -> " << target.toStdString();
}

inline QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);
}

// A player's home in a temporary folder: the configuration folder that holds the store,
// and a folder of their own beside it (a synced folder, a dotfiles repository).
struct Home {
    QTemporaryDir dir;
    QString config() const { return dir.path() + "/config"; }
    QString store() const { return storeFileUnder(config()); }
    QString storeFolder() const { return QFileInfo(store()).path(); }
    QString own() const { return dir.path() + "/sync"; }
};

}  // namespace gribo::test
