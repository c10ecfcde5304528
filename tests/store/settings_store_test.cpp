// The store on disk as the game uses it: where it lies, what it keeps aside, and a
// save that cannot land.

#include "store/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <string>

#include "support/store_file.h"

namespace gribo::store {
namespace {

TEST(SettingsStoreAdapter, KeepsTheGamesKeysInTheNativeStoreAndWritesThemAtTheFlush) {
    {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo");
        s.clear();
        s.sync();
    }
    const char* const annee = "année";
    StoreFile store(StoreFile::playerFile());
    ASSERT_TRUE(store.load().readable);
    EXPECT_EQ(store.fileName(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/Gribo/Gribo.conf");
    EXPECT_EQ(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo").fileName(), store.fileName());
    EXPECT_EQ(store.read("stade", "stade"), "");
    store.write("datecreation", annee, "2006");
    store.write("stats", "faim", "-100");
    store.write("stade", "stade", "Oeuf1");
    EXPECT_EQ(store.read("stats", "faim"), "-100");
    EXPECT_TRUE(test::storeOnDisk(store.fileName()).empty());
    EXPECT_TRUE(store.save().done);

    const std::map<std::string, std::string> expected = {
        {std::string("datecreation/") + annee, "2006"}, {"stats/faim", "-100"}, {"stade/stade", "Oeuf1"}};
    EXPECT_EQ(test::storeOnDisk(store.fileName()), expected);
    StoreFile reopened(StoreFile::playerFile());
    reopened.load();
    EXPECT_EQ(reopened.read("datecreation", annee), "2006");
}

// A store in a temporary folder of its own, laid out as the player's is.
struct StoreFolder {
    QTemporaryDir dir;
    QString file() const { return dir.path() + "/Gribo/Gribo.conf"; }
    void holds(const QByteArray& bytes) const {
        QDir().mkpath(dir.path() + "/Gribo");
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList copies() const { return QDir(dir.path() + "/Gribo").entryList({"Gribo.conf.corrompu-*"}); }
};

TEST(SettingsStoreAdapter, ADamagedStoreIsKeptAsideOnceAndSavedWholeAtTheFirstFlush) {
    const struct {
        const char* what;
        QByteArray stored;
        bool unparsable;
        const char* stade;  // as the game reads it
        QByteArray saved;   // empty: nothing Qt could read, the game's first run saves it
    } cases[] = {
        {"a broken group header", "[stade]\nstade=nourrisson\n\n[stats\nfaim=100\n", true, "nourrisson",
         "[stade]\nstade=nourrisson\n\n[stats]\nfaim=100\n"},
        {"a value read as a list", "[stade]\nstade=nourrisson, Oeuf1\n", false, "nourrisson, Oeuf1", {}},
        {"not a settings file", QByteArray("\xff\xfe\x00 not a settings file [[[\n", 28), true, "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StoreFolder folder;
        folder.holds(c.stored);
        StoreFile store(folder.file());
        ASSERT_TRUE(store.load().readable);
        EXPECT_EQ(store.read("stade", "stade"), c.stade);
        EXPECT_EQ(folder.copies().size(), c.unparsable ? 1 : 0);
        store.keepCopy();  // as a first run over it asks: one copy in all, of the file as it was
        ASSERT_EQ(folder.copies().size(), 1);
        EXPECT_EQ(StoreFolder::bytesOf(folder.dir.path() + "/Gribo/" + folder.copies()[0]), c.stored);
        EXPECT_TRUE(store.save().done);
        EXPECT_EQ(StoreFolder::bytesOf(folder.file()), c.saved.isEmpty() ? c.stored : c.saved);
        store.write("stats", "cacafait", "Non");  // the next command's value lands
        EXPECT_TRUE(store.save().done);
        EXPECT_TRUE(StoreFolder::bytesOf(folder.file()).contains("cacafait=Non"));
    }
}

TEST(SettingsStoreAdapter, ASaveThatCannotLandKeepsEverythingForTheNextTry) {
    StoreFolder folder;
    QFile blocker(folder.dir.path() + "/Gribo");  // a file where the store's folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    StoreFile store(folder.file());
    ASSERT_TRUE(store.load().readable);
    store.write("stats", "faim", "300");
    const StoreFile::Saved failed = store.save();
    EXPECT_FALSE(failed.done);
    EXPECT_FALSE(failed.reason.isEmpty());  // the system's reason
    store.write("stats", "caca", "1");
    EXPECT_FALSE(store.save().done);
    EXPECT_TRUE(store.unsaved());

    ASSERT_TRUE(blocker.remove() && QDir().mkpath(folder.dir.path() + "/Gribo"));
    EXPECT_TRUE(store.save().done);
    EXPECT_FALSE(store.unsaved());
    const auto disk = test::storeOnDisk(folder.file());
    EXPECT_EQ(disk.at("stats/faim"), "300");  // what failed before went with it
    EXPECT_EQ(disk.at("stats/caca"), "1");
}

}  // namespace
}  // namespace gribo::store
