// The player's store on disk: the bytes the game writes against those QSettings writes,
// and every step of a save made to fail in turn.

#include <fcntl.h>
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QSize>
#include <QTemporaryDir>
#include <QTimeZone>
#include <cerrno>
#include <memory>
#include <set>

#include "care/commands.h"
#include "rules/startup.h"
#include "session/game_session.h"
#include "store/durable_file.h"
#include "store/ini_format.h"
#include "store/settings_store.h"
#include "support/fakes.h"

namespace gribo::store {
namespace {

const QString kAnnee = QString::fromUtf8("datecreation/année");

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The machine's files, with one call made to fail (by its number in the save), the
// disk made full, or every write cut short.
struct FaultyFiles final : FileSystem {
    FileSystem& real = systemFiles();
    int failAt = -1;  // -1: none
    int error = EIO;
    bool full = false;
    std::size_t longestWrite = SIZE_MAX;
    QStringList calls;
    std::set<int> folders;

    bool fails(const QString& what) {
        calls << what;
        return calls.size() - 1 == failAt;
    }
    int open(const QByteArray& path, int flags, unsigned mode) override {
        const bool folder = flags & O_DIRECTORY;
        if (fails(folder ? "open folder" : (flags & O_CREAT) ? "open new file" : "open")) return -error;
        const int fd = real.open(path, flags, mode);
        if (folder && fd >= 0) folders.insert(fd);
        return fd;
    }
    qint64 read(int fd, char* data, std::size_t size) override {
        return fails("read") ? -error : real.read(fd, data, size);
    }
    qint64 write(int fd, const char* data, std::size_t size) override {
        if (fails("write")) return -error;
        return full ? -ENOSPC : real.write(fd, data, std::min(size, longestWrite));
    }
    int fsync(int fd) override { return fails(folders.count(fd) ? "fsync folder" : "fsync") ? -error : real.fsync(fd); }
    int close(int fd) override {
        const bool folder = folders.erase(fd) > 0;
        const int rc = real.close(fd);  // the descriptor goes whatever close says
        return fails(folder ? "close folder" : "close") ? -error : rc;
    }
    int rename(const QByteArray& from, const QByteArray& to) override {
        return fails("rename") ? -error : real.rename(from, to);
    }
    int unlink(const QByteArray& path) override { return real.unlink(path); }
};

struct Folder {
    QTemporaryDir dir;
    QString file() const { return dir.path() + "/Gribo/Gribo.conf"; }
    QStringList entries() const { return QDir(dir.path() + "/Gribo").entryList(QDir::Files); }
};

const QByteArray kOldPet = "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Oui\nfaim=300\n";

// A baby's store on a disk whose every write is cut to 7 bytes, so a save makes many
// calls; the calls are counted from the first one after loading.
struct OldPetOnFaultyDisk {
    Folder folder;
    FaultyFiles files;
    std::unique_ptr<StoreFile> store;
    OldPetOnFaultyDisk() {
        put(folder.file(), kOldPet);
        files.longestWrite = 7;
        store = std::make_unique<StoreFile>(folder.file(), files);
        store->load();
        files.calls.clear();
    }
};

TEST(StoreSave, EveryStepOfASaveThatFailsLeavesTheOldOrTheNewPetAndIsReported) {
    // One save, counted: every call it makes, with every write cut to 7 bytes.
    QStringList steps;
    {
        OldPetOnFaultyDisk disk;
        disk.store->write("stats", "faim", "-100");
        ASSERT_TRUE(disk.store->save().done);
        steps = disk.files.calls;
    }
    ASSERT_GT(steps.count("write"), 5) << steps.join(", ").toStdString();
    for (const char* step :
         {"open new file", "fsync", "close", "rename", "open folder", "fsync folder", "close folder"})
        EXPECT_TRUE(steps.contains(step)) << step;

    for (int at = 0; at < steps.size(); ++at) {
        const bool opens = steps[at].startsWith("open");
        for (int error : {EIO, ENOSPC, EACCES}) {
            if (error == EACCES && !opens) continue;
            SCOPED_TRACE(QString("%1 (%2) fails with %3").arg(steps[at]).arg(at).arg(error).toStdString());
            OldPetOnFaultyDisk disk;
            Folder& folder = disk.folder;
            FaultyFiles& files = disk.files;
            StoreFile& store = *disk.store;
            store.write("stats", "faim", "-100");
            store.write("stats", "cacafait", "Non");
            files.failAt = at;
            files.error = error;
            const StoreFile::Saved saved = store.save();
            EXPECT_FALSE(saved.done);
            EXPECT_EQ(saved.reason, qt_error_string(error));
            EXPECT_TRUE(store.unsaved());
            const QByteArray onDisk = bytesOf(folder.file());
            const QByteArray newPet = "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Non\nfaim=-100\n";
            EXPECT_TRUE(onDisk == kOldPet || onDisk == newPet) << onDisk.toStdString();
            EXPECT_EQ(folder.entries(), QStringList{"Gribo.conf"});  // no new file left behind

            // The next save lands everything, and the next start finds the pet.
            files.failAt = -1;
            EXPECT_TRUE(store.save().done);
            EXPECT_EQ(bytesOf(folder.file()), newPet);
            StoreFile again(folder.file());
            ASSERT_TRUE(again.load().readable);
            EXPECT_EQ(again.read("stade", "stade"), "nourrisson");
        }
    }
}

TEST(StoreSave, AWriteInterruptedBeforeItWroteAnythingIsTriedAgain) {
    struct Interrupted final : FileSystem {
        FileSystem& real = systemFiles();
        int interruptions = 3;
        int open(const QByteArray& p, int f, unsigned m) override { return real.open(p, f, m); }
        qint64 read(int fd, char* d, std::size_t n) override { return real.read(fd, d, n); }
        qint64 write(int fd, const char* d, std::size_t n) override {
            return interruptions-- > 0 ? -EINTR : real.write(fd, d, n);
        }
        int fsync(int fd) override { return real.fsync(fd); }
        int close(int fd) override { return real.close(fd); }
        int rename(const QByteArray& a, const QByteArray& b) override { return real.rename(a, b); }
        int unlink(const QByteArray& p) override { return real.unlink(p); }
    } files;
    Folder folder;
    StoreFile store(folder.file(), files);
    store.load();
    store.write("stade", "stade", "Oeuf1");
    EXPECT_TRUE(store.save().done);
    EXPECT_EQ(bytesOf(folder.file()), "[stade]\nstade=Oeuf1\n");
}

TEST(StoreLoad, AStoreThatIsThereButCannotBeReadIsNeverAnEmptyOne) {
    const struct {
        const char* what;
        int failAt;  // 0: the open, 1: the first read
        int error;
    } cases[] = {{"open refused", 0, EACCES}, {"open fails", 0, EIO}, {"read fails", 1, EIO}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Folder folder;
        put(folder.file(), kOldPet);
        FaultyFiles files;
        files.failAt = c.failAt;
        files.error = c.error;
        StoreFile store(folder.file(), files);
        const StoreFile::Loaded loaded = store.load();
        EXPECT_FALSE(loaded.readable);
        EXPECT_EQ(loaded.reason, qt_error_string(c.error));
        // Whatever is then written, nothing goes over the file.
        store.write("stade", "stade", "Oeuf1");
        EXPECT_FALSE(store.save().done);
        EXPECT_EQ(bytesOf(folder.file()), kOldPet);
    }
    Folder none;  // only a missing file is an empty store
    StoreFile store(none.file());
    EXPECT_TRUE(store.load().readable);
    EXPECT_EQ(store.read("stade", "stade"), "");
}

TEST(StoreSave, NoLockFileIsLeftAndAStaleOneStopsNothing) {
    Folder folder;
    put(folder.file() + ".lock", "12345\n");  // what a QSettings that died left
    StoreFile store(folder.file());
    store.load();
    store.write("stade", "stade", "Oeuf1");
    EXPECT_TRUE(store.save().done);
    store.write("stade", "stade", "Oeuf2");
    EXPECT_TRUE(store.save().done);
    EXPECT_EQ(bytesOf(folder.file()), "[stade]\nstade=Oeuf2\n");
}

// The session on a disk that is full for a while: one notice when saving stops, one
// when it works again, and the pet whole on disk after that.
TEST(StoreSession, ADiskFullForAWhileIsToldOnceAndLosesNothingOnceThereIsRoom) {
    Folder folder;
    put(folder.file(), kOldPet);
    FaultyFiles files;
    StoreFile store(folder.file(), files);
    ASSERT_TRUE(store.load().readable);
    test::Rig fakes;
    session::GameSession session(store, fakes.clock, fakes.random, fakes.pictures, fakes.windows, fakes.sound);
    QStringList told;
    session.onStoreNotices({[&told](const QString& file, const QString& reason) { told << file + ": " + reason; },
                            [&told](const QString& file) { told << "saved again: " + file; }});
    session.run(startUp);
    EXPECT_EQ(session.pet().stade, "nourrisson");

    files.full = true;
    session.run(lait);  // cacafait "Non"
    session.run([](Game& g) { g.store.set(Key::Faim, "-100"); });
    session.saveUnsaved();  // a life-clock tick
    session.saveUnsaved();  // the window closes
    EXPECT_EQ(told, QStringList{folder.file() + ": " + qt_error_string(ENOSPC)});
    EXPECT_EQ(bytesOf(folder.file()), kOldPet);
    EXPECT_TRUE(session.saveFailing());

    const int tries = files.calls.count("open new file");
    session.run([](Game&) {});  // a handler that changes nothing does not try again
    EXPECT_EQ(files.calls.count("open new file"), tries);

    files.full = false;  // room is made
    session.saveUnsaved();
    EXPECT_EQ(told.size(), 2);
    EXPECT_EQ(told.value(1), "saved again: " + folder.file());
    EXPECT_EQ(bytesOf(folder.file()), "[stade]\nstade=nourrisson\n\n[stats]\ncaca=0\ncacafait=Non\nfaim=-100\n");

    files.full = true;  // a second episode is told again
    session.run([](Game& g) { g.store.set(Key::Caca, "1"); });
    EXPECT_EQ(told.size(), 3);
}

}  // namespace
}  // namespace gribo::store
