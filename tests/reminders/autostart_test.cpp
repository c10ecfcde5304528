#include "reminders/autostart.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace gribo::reminders {
namespace {

QByteArray read(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& file, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The player's copy of the entry is what a desktop's startup settings write: the
// entry itself, with Hidden=true in its group.
TEST(Autostart, TurningOffWritesTheEntryHidden) {
    const QByteArray system = "[Desktop Entry]\nType=Application\nName=Gribo reminders\nExec=/x/gribo-reminders\n";
    const struct {
        const char* what;
        QByteArray mine;    // the player's copy before; empty: none
        QByteArray system;  // in $XDG_CONFIG_DIRS; empty: none
        QByteArray after;
    } cases[] = {
        {"a copy of the system's entry", "", system,
         "[Desktop Entry]\nHidden=true\nType=Application\nName=Gribo reminders\nExec=/x/gribo-reminders\n"},
        {"a user installation's own entry", "[Desktop Entry]\nExec=/home/u/gribo-reminders\n", system,
         "[Desktop Entry]\nHidden=true\nExec=/home/u/gribo-reminders\n"},
        {"Hidden=false becomes true", "[Desktop Entry]\nHidden=false\nExec=e\n", "",
         "[Desktop Entry]\nHidden=true\nExec=e\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir config, dirs;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_CONFIG_DIRS", dirs.path().toUtf8());
        if (!c.mine.isEmpty()) write(playerAutostartFile(), c.mine);
        if (!c.system.isEmpty()) write(dirs.path() + "/autostart/" + autostartEntryName(), c.system);
        EXPECT_EQ(turnedOff(), false);
        EXPECT_EQ(turnOff(), QString());
        EXPECT_EQ(read(playerAutostartFile()), c.after);
        EXPECT_TRUE(turnedOff());
    }
}

}  // namespace
}  // namespace gribo::reminders
