// The store on disk as the game plays on it: where it lies, what it keeps aside, a save
// that cannot land, a file changed under the running game; and the store read only, as
// a program that only reads the pet uses it.

#include "store/settings_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "store/player_store.h"
#include "store/store_reader.h"
#include "support/faulty_files.h"
#include "support/player_files.h"
#include "support/store_file.h"

namespace gribo::store {
namespace {

using test::bytesOf;
using test::entriesOf;
using test::Home;
using test::link;
using test::put;

const QByteArray kBaby = "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=300\n";

QStringList copiesIn(const QString& folder) { return QDir(folder).entryList({"Gribo.conf.corrompu-*"}); }

TEST(SettingsFile, KeepsTheGamesKeysInThePlayersStoreAndWritesThemAtTheSave) {
    {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo");
        s.clear();
        s.sync();
    }
    const char* const annee = "année";
    SettingsFile store(playerStoreFile());
    ASSERT_TRUE(store.load().readable);
    EXPECT_EQ(store.fileName(), test::storeFileUnder(qEnvironmentVariable("XDG_CONFIG_HOME")));
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
    SettingsFile reopened(playerStoreFile());
    ASSERT_TRUE(reopened.load().readable);
    EXPECT_EQ(reopened.read("datecreation", annee), "2006");
}

TEST(SettingsFile, ADamagedStoreIsKeptAsideOnceAndSavedWholeAtTheFirstSave) {
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
        Home home;
        put(home.store(), c.stored);
        QFile::setPermissions(home.store(), QFile::ReadOwner | QFile::WriteOwner);
        SettingsFile store(home.store());
        ASSERT_TRUE(store.load().readable);
        EXPECT_EQ(store.read("stade", "stade"), c.stade);
        EXPECT_EQ(copiesIn(home.storeFolder()).size(), c.unparsable ? 1 : 0);
        store.keepCopy();  // as a first run over it asks: one copy in all, of the file as it was
        const QStringList copies = copiesIn(home.storeFolder());
        ASSERT_EQ(copies.size(), 1);
        const QString copy = home.storeFolder() + '/' + copies[0];
        EXPECT_EQ(bytesOf(copy), c.stored);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(copy).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);  // a private store's copy is private too
        EXPECT_TRUE(store.save().done);
        EXPECT_EQ(bytesOf(home.store()), c.saved.isEmpty() ? c.stored : c.saved);
        store.write("stats", "cacafait", "Non");  // the next command's value lands
        EXPECT_TRUE(store.save().done);
        EXPECT_TRUE(bytesOf(home.store()).contains("cacafait=Non"));
    }
}

TEST(SettingsFile, ADamagedStoreThePlayerMendsBeforeTheSaveIsLeftAsThePlayerLeftIt) {
    Home home;
    put(home.store(), "[stade]\nstade=nourrisson\n\n[stats\nfaim=100\n");
    SettingsFile store(home.store());
    ASSERT_TRUE(store.load().readable);
    EXPECT_TRUE(store.unsaved());  // to be written whole
    const QByteArray mended = kBaby + "\n; mended by hand\n";
    put(home.store(), mended);
    EXPECT_TRUE(store.save().done);
    EXPECT_EQ(bytesOf(home.store()), mended);
    EXPECT_FALSE(store.unsaved());
}

TEST(SettingsFile, ASaveThatCannotLandKeepsEverythingForTheNextTry) {
    Home home;
    put(home.config() + "/Gribo", {});  // a file where the store's folder should be
    SettingsFile store(home.store());
    ASSERT_TRUE(store.load().readable);
    store.write("stats", "faim", "300");
    const SettingsFile::Saved failed = store.save();
    EXPECT_FALSE(failed.done);
    EXPECT_FALSE(failed.reason.isEmpty());  // the system's reason
    store.write("stats", "caca", "1");
    EXPECT_FALSE(store.save().done);
    EXPECT_TRUE(store.unsaved());

    ASSERT_TRUE(QFile::remove(home.config() + "/Gribo"));
    EXPECT_TRUE(store.save().done);
    EXPECT_FALSE(store.unsaved());
    const auto disk = test::storeOnDisk(home.store());
    EXPECT_EQ(disk.at("stats/faim"), "300");  // what failed before went with it
    EXPECT_EQ(disk.at("stats/caca"), "1");
}

// Gives the file a modification time one nanosecond after its own: an edit that keeps
// the size and the file, made a moment after the game read it.
void touchedANanosecondLater(const QString& file) {
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &st), 0);
    timespec times[2] = {st.st_atim, st.st_mtim};
    if (++times[1].tv_nsec == 1000000000) times[1] = {times[1].tv_sec + 1, 0};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
}

using Change = std::function<void(const Home&)>;

TEST(SettingsFile, TheFileIsTheReferenceAChangeMadeOnDiskIsReadAndKept) {
    struct Write {
        const char* section;
        const char* key;
        const char* value;
    };
    const Change nothing = [](const Home&) {};
    const struct {
        const char* what;
        Change meanwhile;  // while the game runs, before a handler uses the store
        const char* faim;  // what that handler then reads
        std::vector<Write> writes;
        Change beforeSave;  // between the handler's writes and its save
        QByteArray saved;   // the file after the save
        int copies = 0;     // kept aside
    } cases[] = {
        {"faim changed by hand",
         [](const Home& h) { put(h.store(), "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=42\n"); },
         "42",
         {{"datestats", "datenourrit", "17329450"}},
         nothing,
         "[datestats]\ndatenourrit=17329450\n\n[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=42\n"},
        {"a section and a key added by hand",
         [](const Home& h) {
             put(h.store(),
                 "[perso]\nnote=bonjour\n\n[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim="
                 "300\nhumeur=gaie\n");
         },
         "300",
         {{"stats", "cacafait", "Non"}},
         nothing,
         "[perso]\nnote=bonjour\n\n[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Non\nfaim=300\nhumeur="
         "gaie\n"},
        {"the same size, brought by a sync tool as a new file",
         [](const Home& h) {
             test::replace(h.store(), "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=301\n");
         },
         "301",
         {{"stats", "caca", "1"}},
         nothing,
         "[stade]\nstade=nourrisson\n\n[stats]\ncaca=1\ncacafait=Oui\nfaim=301\n"},
        {"the same size, edited in place a nanosecond later",
         [](const Home& h) {
             put(h.store(), "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=299\n");
             touchedANanosecondLater(h.store());
         },
         "299",
         {{"stats", "caca", "1"}},
         nothing,
         "[stade]\nstade=nourrisson\n\n[stats]\ncaca=1\ncacafait=Oui\nfaim=299\n"},
        {"the game's own write goes over the disk's",
         [](const Home& h) { put(h.store(), "[stats]\nfaim=42\n"); },
         "42",
         {{"stats", "faim", "500"}},
         nothing,
         "[stats]\nfaim=500\n"},
        {"a change made while the handler runs, before its save",
         nothing,
         "300",
         {{"stats", "cacafait", "Non"}},
         [](const Home& h) { put(h.store(), kBaby + "\n[perso]\nnote=bonjour\n"); },
         "[perso]\nnote=bonjour\n\n[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Non\nfaim=300\n"},
        {"damaged meanwhile: kept aside, and healed",
         [](const Home& h) { put(h.store(), "[stade]\nstade=nourrisson\n\n[stats\nfaim=100\n"); },
         "100",
         {{"stats", "cacafait", "Non"}},
         nothing,
         "[stade]\nstade=nourrisson\n\n[stats]\ncacafait=Non\nfaim=100\n",
         1},
        {"removed meanwhile: the disk holds no pet, and then what the game wrote since",
         [](const Home& h) { QFile::remove(h.store()); },
         "",
         {{"stats", "cacafait", "Non"}},
         nothing,
         "[stats]\ncacafait=Non\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        put(home.store(), kBaby);
        SettingsFile store(home.store());
        ASSERT_TRUE(store.load().readable);
        store.lookBeforeNextUse();  // a handler begins
        c.meanwhile(home);
        EXPECT_EQ(store.read("stats", "faim"), c.faim);
        for (const Write& w : c.writes) store.write(w.section, w.key, w.value);
        c.beforeSave(home);
        EXPECT_TRUE(store.save().done);
        EXPECT_EQ(bytesOf(home.store()).toStdString(), c.saved.toStdString());
        EXPECT_EQ(copiesIn(home.storeFolder()).size(), c.copies);
        // And the next handler finds nothing new: the game's own save is no change.
        store.lookBeforeNextUse();
        EXPECT_FALSE(store.changedSinceLastTry());
        EXPECT_EQ(store.read("stats", "faim"), test::storeOnDisk(home.store())["stats/faim"]);
        EXPECT_FALSE(store.unsaved());
    }
}

TEST(SettingsFile, AFileThatCanNoLongerBeReadIsNeverWrittenOverAndTriedAgain) {
    Home home;
    put(home.store(), kBaby);
    SettingsFile store(home.store());
    ASSERT_TRUE(store.load().readable);
    ASSERT_TRUE(QFile::remove(home.store()) && QDir().mkdir(home.store()));  // a folder in its place: no read
    store.lookBeforeNextUse();
    EXPECT_EQ(store.read("stats", "faim"), "300");  // the game plays on from memory
    store.write("stats", "cacafait", "Non");
    EXPECT_FALSE(store.unreadable().isEmpty());
    const SettingsFile::Saved refused = store.save();
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(refused.reason, store.unreadable());
    EXPECT_TRUE(QFileInfo(home.store()).isDir());
    EXPECT_EQ(entriesOf(home.storeFolder()), QStringList{"Gribo.conf"});

    ASSERT_TRUE(QDir().rmdir(home.store()));
    put(home.store(), "[perso]\nnote=revenu\n");  // back, as the player left it
    EXPECT_TRUE(store.save().done);
    EXPECT_TRUE(store.unreadable().isEmpty());
    EXPECT_EQ(bytesOf(home.store()), "[perso]\nnote=revenu\n\n[stats]\ncacafait=Non\n");
}

TEST(SettingsFile, AHandlerLooksAtTheFileOnceAndOnlyIfItUsesTheStore) {
    Home home;
    put(home.store(), kBaby);
    test::FaultyFiles files;  // fails nothing: it counts
    SettingsFile store(home.store(), files);
    ASSERT_TRUE(store.load().readable);
    const struct {
        const char* what;
        std::function<void()> handler;
        QStringList calls;
    } handlers[] = {
        {"an animation step that leaves the store alone", [] {}, {}},
        {"a tick that reads and writes",
         [&store] {
             store.read("datestats", "datenourrit");
             store.read("stats", "faim");
             store.write("stats", "faim", "400");
             store.read("stats", "faim");
         },
         {"stat"}},
        {"a command, after a player's edit",
         [&store, &home] {
             put(home.store(), kBaby + "\n[perso]\nnote=bonjour\n");
             store.read("stats", "faim");
             store.write("stats", "cacafait", "Non");
         },
         {"stat", "open", "fstat", "read", "read", "close"}},
    };
    for (const auto& h : handlers) {
        SCOPED_TRACE(h.what);
        files.clear();
        store.lookBeforeNextUse();
        h.handler();
        EXPECT_EQ(files.calls, h.calls);
        // The save looks once more, and reads nothing when nothing changed.
        files.clear();
        EXPECT_TRUE(store.save().done);
        if (!h.calls.isEmpty()) {
            EXPECT_EQ(files.calls.value(0), "stat");
            EXPECT_FALSE(files.calls.contains("open")) << files.calls.join(", ").toStdString();
        }
    }
}

// ---- Read only -----------------------------------------------------------------

// Every name under `root`, with each file's bytes and modification time: what a reader
// must leave exactly as it found it.
std::map<QString, std::pair<QByteArray, qint64>> everythingUnder(const QString& root) {
    std::map<QString, std::pair<QByteArray, qint64>> out;
    std::function<void(const QString&)> walk = [&](const QString& folder) {
        for (const QFileInfo& i :
             QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden)) {
            struct stat st {};
            ::lstat(QFile::encodeName(i.filePath()).constData(), &st);
            out[i.filePath()] = {i.isFile() ? bytesOf(i.filePath()) : QByteArray(),
                                 static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
            if (i.isDir() && !i.isSymLink()) walk(i.filePath());
        }
    };
    walk(root);
    return out;
}

TEST(StoreReader, ReadsThePetThroughItsLinksAndLeavesEverythingAsItWas) {
    using State = FileRead::State;
    const struct {
        const char* what;
        Change layOut;
        State state;
        const char* faim;
        bool wellFormed;
    } cases[] = {
        {"a plain store", [](const Home& h) { put(h.store(), kBaby); }, State::Read, "300", true},
        {"a store linked into another folder",
         [](const Home& h) {
             put(h.own() + "/gribo.conf", kBaby);
             link("../../sync/gribo.conf", h.store());
         },
         State::Read, "300", true},
        {"no store, nor its folder", [](const Home& h) { QDir().mkpath(h.config()); }, State::Missing, "", true},
        {"a damaged store: read as far as it goes, neither copied nor mended",
         [](const Home& h) { put(h.store(), "[stats]\nfaim=12\n[stade\nstade=nourrisson\n"); }, State::Read, "12",
         false},
        {"a folder in the store's place", [](const Home& h) { QDir().mkpath(h.store()); }, State::Unreadable, "", true},
        {"a link that leads nowhere",
         [](const Home& h) {
             QDir().mkpath(h.own());
             link("../../sync/gribo.conf", h.store());
         },
         State::Unreadable, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        c.layOut(home);
        const auto before = everythingUnder(home.dir.path());
        StoreReader store(home.store());
        const StoreReader::Reading r = store.load();
        EXPECT_EQ(r.state, c.state);
        EXPECT_EQ(r.reason.isEmpty(), c.state != State::Unreadable);
        EXPECT_EQ(r.wellFormed, c.wellFormed);
        EXPECT_EQ(store.read("stats", "faim"), c.faim);
        store.write("stats", "faim", "999");  // stays in memory
        EXPECT_EQ(store.read("stats", "faim"), "999");
        EXPECT_EQ(store.changedOnDisk(), c.state == State::Unreadable);  // a file it could not read is tried again
        if (c.state != State::Unreadable) {
            store.load();  // what was written is gone with the next reading
            EXPECT_EQ(store.read("stats", "faim"), c.faim);
        }
        EXPECT_EQ(everythingUnder(home.dir.path()), before);
    }
}

TEST(StoreReader, TellsWithOneStatWhetherTheFileChangedSinceItsLastReading) {
    Home home;
    put(home.store(), kBaby);
    test::FaultyFiles files;
    StoreReader store(home.store(), files);
    EXPECT_TRUE(store.changedOnDisk());  // nothing read yet
    ASSERT_EQ(store.load().state, FileRead::State::Read);
    const struct {
        const char* what;
        Change change;
        bool changed;
        const char* faim;  // once read again
    } steps[] = {
        {"nothing", [](const Home&) {}, false, "300"},
        {"an edit in place", [](const Home& h) { put(h.store(), "[stade]\nstade=nourrisson\n\n[stats]\nfaim=42\n"); },
         true, "42"},
        {"the same size, a new file", [](const Home& h) { test::replace(h.store(), "[stats]\nfaim=43\n"); }, true,
         "43"},
        {"the same size, a nanosecond later",
         [](const Home& h) {
             put(h.store(), "[stats]\nfaim=44\n");
             touchedANanosecondLater(h.store());
         },
         true, "44"},
        {"removed", [](const Home& h) { QFile::remove(h.store()); }, true, ""},
        {"still not there", [](const Home&) {}, false, ""},
        {"back", [](const Home& h) { put(h.store(), kBaby); }, true, "300"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        s.change(home);
        files.clear();
        EXPECT_EQ(store.changedOnDisk(), s.changed);
        EXPECT_EQ(files.calls, QStringList{"stat"});
        if (s.changed) store.load();
        EXPECT_EQ(store.read("stats", "faim"), s.faim);
        EXPECT_FALSE(store.changedOnDisk());
    }
}

}  // namespace
}  // namespace gribo::store
