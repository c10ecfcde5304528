// The player's store on disk: every step of a save made to fail in turn, on a plain
// store and through a link; links of every kind kept as links; a link that leads
// nowhere never taken for an empty store.

#include "store/durable_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>
#include <memory>

#include "store/settings_file.h"
#include "support/faulty_files.h"
#include "support/player_files.h"

namespace gribo::store {
namespace {

using test::bytesOf;
using test::entriesOf;
using test::FaultyFiles;
using test::Home;
using test::link;
using test::put;

const QByteArray kOldPet = "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=300\n";
const QByteArray kNewPet = "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Non\nfaim=-100\n";

unsigned permissionsOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Where the pet lies: in the store itself, or in a folder of the player's own that the
// store links to (a relative link, as GNU Stow makes them).
struct Layout {
    const char* what;
    bool linked;
};
constexpr Layout kLayouts[] = {{"a plain store", false}, {"a store linked into another folder", true}};

// A private baby's store on a disk whose every write is cut to 7 bytes, so a save makes
// many calls; the calls are counted from the first one after loading.
struct OldPetOnFaultyDisk {
    Home home;
    bool linked;
    FaultyFiles files;
    std::unique_ptr<SettingsFile> store;

    QString pet() const { return linked ? home.own() + "/gribo.conf" : home.store(); }

    explicit OldPetOnFaultyDisk(bool linkedStore) : linked(linkedStore) {
        put(pet(), kOldPet);
        QFile::setPermissions(pet(), QFile::ReadOwner | QFile::WriteOwner);
        if (linked) link("../../sync/gribo.conf", home.store());
        files.longestWrite = 7;
        store = std::make_unique<SettingsFile>(home.store(), files);
        EXPECT_TRUE(store->load().readable);
        files.clear();
    }
    // Nothing but the pet (and its link) in either folder: no new file left behind.
    void holdsOnlyThePet() const {
        EXPECT_EQ(entriesOf(home.storeFolder()), QStringList{"Gribo.conf"});
        if (linked) {
            EXPECT_EQ(entriesOf(home.own()), QStringList{"gribo.conf"});
            EXPECT_TRUE(QFileInfo(home.store()).isSymLink());
            EXPECT_EQ(QFile::symLinkTarget(home.store()), QFileInfo(pet()).canonicalFilePath());
        }
    }
};

TEST(StoreSave, EveryStepOfASaveThatFailsLeavesTheOldOrTheNewPetAndIsReported) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.what);
        // One save, counted: every call it makes, with every write cut to 7 bytes.
        QStringList steps;
        {
            OldPetOnFaultyDisk disk(layout.linked);
            disk.store->write("stats", "faim", "-100");
            ASSERT_TRUE(disk.store->save().done);
            steps = disk.files.calls;
            // The private store stays private.
            EXPECT_EQ(permissionsOf(disk.pet()), 0600u);
        }
        ASSERT_GT(steps.count("write"), 5) << steps.join(", ").toStdString();
        for (const char* step : {"stat", "readlink", "mkdir", "open new file", "fstat", "fchmod", "fsync", "close",
                                 "rename", "open folder", "fsync folder", "close folder"})
            EXPECT_TRUE(steps.contains(step)) << step;
        ASSERT_EQ(steps.value(0), "stat");  // the look at the file before the save

        for (int at = 0; at < steps.size(); ++at) {
            const bool opens = steps[at].startsWith("open");
            for (int error : {EIO, ENOSPC, EACCES}) {
                if (error == EACCES && !opens) continue;
                SCOPED_TRACE(QString("%1 (%2) fails with %3").arg(steps[at]).arg(at).arg(error).toStdString());
                OldPetOnFaultyDisk disk(layout.linked);
                SettingsFile& store = *disk.store;
                store.write("stats", "faim", "-100");
                store.write("stats", "cacafait", "Non");
                disk.files.failAt = at;
                disk.files.error = error;
                const SettingsFile::Saved saved = store.save();
                const QByteArray onDisk = bytesOf(disk.pet());
                EXPECT_TRUE(onDisk == kOldPet || onDisk == kNewPet) << onDisk.toStdString();
                disk.holdsOnlyThePet();
                if (at == 0) {
                    // A look that fails costs one more reading of the file, not the save.
                    EXPECT_TRUE(saved.done);
                    EXPECT_EQ(onDisk, kNewPet);
                    continue;
                }
                EXPECT_FALSE(saved.done);
                EXPECT_EQ(saved.reason, qt_error_string(error));
                EXPECT_TRUE(store.unsaved());

                // The next save lands everything, and the next start finds the pet.
                disk.files.failAt = -1;
                EXPECT_TRUE(store.save().done);
                EXPECT_EQ(bytesOf(disk.pet()), kNewPet);
                EXPECT_EQ(permissionsOf(disk.pet()), 0600u);
                disk.holdsOnlyThePet();
                SettingsFile again(disk.home.store());
                ASSERT_TRUE(again.load().readable);
                EXPECT_EQ(again.read("stats", "cacafait"), "Non");
            }
        }
    }
}

TEST(StoreSave, AWriteInterruptedBeforeItWroteAnythingIsTriedAgain) {
    struct Interrupted final : FileSystemWrapper {
        Interrupted() : FileSystemWrapper(systemFiles()) {}
        int interruptions = 3;
        FileResult write(int fd, const char* data, std::size_t size) override {
            return interruptions-- > 0 ? FileResult::failed(EINTR) : FileSystemWrapper::write(fd, data, size);
        }
    } files;
    Home home;
    SettingsFile store(home.store(), files);
    ASSERT_TRUE(store.load().readable);
    store.write("stade", "stade", "Oeuf1");
    EXPECT_TRUE(store.save().done);
    EXPECT_EQ(bytesOf(home.store()), "[stade]\nstade=Oeuf1\n");
    EXPECT_EQ(permissionsOf(home.store()) & 0644, 0644u);  // a first file is readable by the player's tools
}

TEST(StoreLoad, AStoreThatIsThereButCannotBeReadIsNeverAnEmptyOne) {
    const struct {
        const char* what;
        int failAt;  // 0: the open, 1: its look, 2: the first read
        int error;
    } cases[] = {{"open refused", 0, EACCES}, {"open fails", 0, EIO}, {"look fails", 1, EIO}, {"read fails", 2, EIO}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        put(home.store(), kOldPet);
        FaultyFiles files;
        files.failAt = c.failAt;
        files.error = c.error;
        SettingsFile store(home.store(), files);
        const SettingsFile::Loaded loaded = store.load();
        EXPECT_FALSE(loaded.readable);
        EXPECT_EQ(loaded.reason, qt_error_string(c.error));
        // Whatever is then written, nothing goes over the file.
        store.write("stade", "stade", "Oeuf1");
        files.clear();
        files.failAt = 0;  // and it still cannot be read at the save's look
        EXPECT_FALSE(store.save().done);
        EXPECT_EQ(bytesOf(home.store()), kOldPet);
    }
    Home none;  // only a missing file is an empty store
    SettingsFile store(none.store());
    EXPECT_TRUE(store.load().readable);
    EXPECT_EQ(store.read("stade", "stade"), "");
}

TEST(StoreSave, NoLockFileIsLeftAndAStaleOneStopsNothing) {
    Home home;
    put(home.store() + ".lock", "12345\n");  // what a QSettings that died left
    SettingsFile store(home.store());
    ASSERT_TRUE(store.load().readable);
    store.write("stade", "stade", "Oeuf1");
    EXPECT_TRUE(store.save().done);
    store.write("stade", "stade", "Oeuf2");
    EXPECT_TRUE(store.save().done);
    EXPECT_EQ(bytesOf(home.store()), "[stade]\nstade=Oeuf2\n");
}

// ---- Links ---------------------------------------------------------------------

// Saves a changed pet through the store at `home.store()` and checks that every link
// on the way is as it was and that `pet` holds the new pet.
void savesThroughTheLinks(const Home& home, const QString& pet, const QStringList& links) {
    QStringList texts;
    for (const QString& l : links) texts << QFile::symLinkTarget(l);
    const QStringList beside = entriesOf(QFileInfo(pet).path());
    SettingsFile store(home.store());
    ASSERT_TRUE(store.load().readable);
    EXPECT_EQ(store.read("stats", "faim"), "300");
    store.write("stats", "faim", "-100");
    store.write("stats", "cacafait", "Non");
    ASSERT_TRUE(store.save().done);
    EXPECT_EQ(bytesOf(pet), kNewPet);
    for (int i = 0; i < links.size(); ++i) {
        EXPECT_TRUE(QFileInfo(links[i]).isSymLink()) << links[i].toStdString();
        EXPECT_EQ(QFile::symLinkTarget(links[i]), texts[i]) << links[i].toStdString();
    }
    // The new file was written beside the pet and renamed over it: nothing is left.
    EXPECT_EQ(entriesOf(QFileInfo(pet).path()), beside);
    SettingsFile again(home.store());
    ASSERT_TRUE(again.load().readable);
    EXPECT_EQ(again.read("stats", "faim"), "-100");
}

TEST(StoreLinks, ALinkedStoreStaysLinkedAndWhatItLeadsToHoldsTheNewPet) {
    const struct {
        const char* what;
        // Lays out the pet and the links to it; returns the pet's file and the links.
        std::function<QStringList(const Home&)> layOut;
    } cases[] = {
        {"a relative link into another folder",
         [](const Home& h) {
             put(h.own() + "/gribo.conf", kOldPet);
             link("../../sync/gribo.conf", h.store());
             return QStringList{h.own() + "/gribo.conf", h.store()};
         }},
        {"an absolute link",
         [](const Home& h) {
             put(h.own() + "/gribo.conf", kOldPet);
             link(h.own() + "/gribo.conf", h.store());
             return QStringList{h.own() + "/gribo.conf", h.store()};
         }},
        {"a chain: a relative link to an absolute one",
         [](const Home& h) {
             put(h.own() + "/deep/gribo.conf", kOldPet);
             link(h.own() + "/deep/gribo.conf", h.own() + "/latest.conf");
             link("../../sync/latest.conf", h.store());
             return QStringList{h.own() + "/deep/gribo.conf", h.store(), h.own() + "/latest.conf"};
         }},
        {"a chain: an absolute link to a relative one",
         [](const Home& h) {
             put(h.own() + "/gribo.conf", kOldPet);
             link("gribo.conf", h.own() + "/current.conf");
             link(h.own() + "/current.conf", h.store());
             return QStringList{h.own() + "/gribo.conf", h.store(), h.own() + "/current.conf"};
         }},
        {"the store's folder linked into another folder",
         [](const Home& h) {
             put(h.own() + "/Gribo.conf", kOldPet);
             QDir().mkpath(h.config());
             link(h.own(), h.storeFolder());
             return QStringList{h.own() + "/Gribo.conf", h.storeFolder()};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        QStringList laidOut = c.layOut(home);
        const QString pet = laidOut.takeFirst();
        savesThroughTheLinks(home, pet, laidOut);
    }
}

TEST(StoreLinks, ALinkToAnotherFileSystemStaysLinked) {
    // The pet on a memory file system, the store on the temporary folder's.
    const QString shm = QStringLiteral("/dev/shm");
    Home home;
    struct stat mem {
    }, tmp{};
    if (::stat(QFile::encodeName(shm).constData(), &mem) != 0 ||
        ::stat(QFile::encodeName(home.dir.path()).constData(), &tmp) != 0 || mem.st_dev == tmp.st_dev ||
        !QFileInfo(shm).isWritable()) {
        GTEST_SKIP() << "no second file system here: /dev/shm is missing, not writable or the temporary folder's own";
    }
    QTemporaryDir other(shm + "/gribo-test-XXXXXX");
    ASSERT_TRUE(other.isValid());
    const QString pet = other.path() + "/gribo.conf";
    put(pet, kOldPet);
    link(pet, home.store());
    savesThroughTheLinks(home, pet, {home.store()});
}

TEST(StoreLinks, ALinkThatLeadsNowhereIsAStoreThatCannotBeReadAndIsLeftAsItIs) {
    const struct {
        const char* what;
        std::function<void(const Home&)> layOut;
    } cases[] = {
        {"the store links to a file that is not there",
         [](const Home& h) {
             QDir().mkpath(h.own());
             link("../../sync/gribo.conf", h.store());
         }},
        {"the store's folder links to a folder that is not there (a synced folder not mounted)",
         [](const Home& h) {
             QDir().mkpath(h.config());
             link(h.own() + "/unmounted", h.storeFolder());
             QDir().mkpath(h.own());
         }},
        {"a loop of links",
         [](const Home& h) {
             QDir().mkpath(h.own());
             link(h.own() + "/b.conf", h.own() + "/a.conf");
             link(h.own() + "/a.conf", h.own() + "/b.conf");
             link(h.own() + "/a.conf", h.store());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Home home;
        c.layOut(home);
        const QStringList before = entriesOf(home.own()) + entriesOf(home.config());
        SettingsFile store(home.store());
        const SettingsFile::Loaded loaded = store.load();
        EXPECT_FALSE(loaded.readable);
        EXPECT_FALSE(loaded.reason.isEmpty());
        store.write("stade", "stade", "Oeuf1");
        EXPECT_FALSE(store.save().done);
        EXPECT_EQ(entriesOf(home.own()) + entriesOf(home.config()), before);  // nothing made, nothing replaced
    }
}

TEST(StoreLinks, ALinkThatStopsLeadingAnywhereWhileTheGamePlaysIsNeverWrittenOver) {
    Home home;
    put(home.own() + "/gribo.conf", kOldPet);
    link("../../sync/gribo.conf", home.store());
    SettingsFile store(home.store());
    ASSERT_TRUE(store.load().readable);
    ASSERT_TRUE(QFile::rename(home.own() + "/gribo.conf", home.own() + "/away.conf"));  // the folder is syncing
    store.lookBeforeNextUse();
    store.write("stats", "cacafait", "Non");
    EXPECT_FALSE(store.unreadable().isEmpty());
    EXPECT_FALSE(store.save().done);
    EXPECT_EQ(entriesOf(home.own()), QStringList{"away.conf"});
    EXPECT_TRUE(QFileInfo(home.store()).isSymLink());

    ASSERT_TRUE(QFile::rename(home.own() + "/away.conf", home.own() + "/gribo.conf"));  // and back
    EXPECT_TRUE(store.save().done);
    EXPECT_TRUE(store.unreadable().isEmpty());
    EXPECT_EQ(bytesOf(home.own() + "/gribo.conf"),
              "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Non\nfaim=300\n");
    EXPECT_TRUE(QFileInfo(home.store()).isSymLink());
}

}  // namespace
}  // namespace gribo::store
