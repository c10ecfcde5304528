#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <array>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/store_file.h"
#include "ui/picture_slots.h"
#include "ui/platform_env.h"
#include "ui/qt_ports.h"
#include "ui/settings_store.h"

namespace gribo::ui {
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

QImage checker(QColor a, QColor b) {
    QImage img(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixelColor(x, y, (x + y) % 2 ? a : b);
    return img;
}

TEST(PictureSlotWidget, TakesThePicturesSizeAnchoredAtItsCorner) {
    QWidget parent;
    PictureSlot slot(&parent);
    slot.setGeometry(16, 8, 105, 121);
    slot.setPicture(checker(Qt::red, Qt::blue));
    EXPECT_EQ(slot.geometry(), QRect(16, 8, 4, 3));
}

TEST(PictureSlotAdapter, AMissingPictureLeavesTheSlotEmptyAndTheGameGoesOn) {
    QWidget parent;
    std::array<PictureSlot*, 4> slots{new PictureSlot(&parent), new PictureSlot(&parent), new PictureSlot(&parent),
                                      new PictureSlot(&parent)};
    slots[1]->setPicture(checker(Qt::red, Qt::blue));
    SlotPictures pictures(slots);
    for (int i = 0; i < 100; ++i) pictures.load(Slot::Image2, "\\datas\\gribo\\absent.gif");
    EXPECT_TRUE(slots[1]->picture().isNull());
    parent.grab();  // paints an empty slot without trouble
}

TEST(PictureSlotAdapter, ReadsTheFileAgainAtEveryLoadAndResolvesDoubledSeparators) {
    QTemporaryDir root;  // an asset root of its own, never the build's datas
    const QString dir = root.path() + "/datas/test-slot";
    QDir().mkpath(dir);
    const QString file = dir + "/pic.png";
    checker(Qt::red, Qt::blue).save(file);
    QWidget parent;
    std::array<PictureSlot*, 4> slots{new PictureSlot(&parent), new PictureSlot(&parent), new PictureSlot(&parent),
                                      new PictureSlot(&parent)};
    SlotPictures pictures(slots, root.path());
    pictures.load(Slot::Image3, "\\datas\\test-slot\\pic.png");
    EXPECT_EQ(slots[2]->picture().pixelColor(0, 0), QColor(Qt::blue));

    checker(Qt::green, Qt::yellow).save(file);  // same name, new picture
    pictures.load(Slot::Image3, "\\\\datas\\\\test-slot\\pic.png");
    EXPECT_EQ(slots[2]->picture().pixelColor(0, 0), QColor(Qt::yellow));
    EXPECT_EQ(pictures.shown(Slot::Image3), "\\\\datas\\\\test-slot\\pic.png");
}

// Offscreen there is no audio device: the cry must neither crash nor hold up the tick.
// (The runtime folder is an empty one, so no sound server of the session is used.)
TEST(CrySoundAdapter, PlayingNeverBlocksWithAMissingFileOrWithoutAnAudioDevice) {
    struct EmptyRuntime {
        QTemporaryDir dir;
        QByteArray old = qgetenv("XDG_RUNTIME_DIR"), oldServer = qgetenv("PULSE_SERVER");
        EmptyRuntime() {
            qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
            qunsetenv("PULSE_SERVER");
        }
        ~EmptyRuntime() {
            qputenv("XDG_RUNTIME_DIR", old);
            if (!oldServer.isEmpty()) qputenv("PULSE_SERVER", oldServer);
        }
    } runtime;
    const QString real = assetFile("\\datas\\gribo\\pleure.wav");
    ASSERT_TRUE(QFile::exists(real)) << real.toStdString();
    const std::unique_ptr<Sound> missing =
        makeCrySound(QCoreApplication::applicationDirPath() + "/datas/gribo/absent.wav");
    const std::unique_ptr<Sound> cry = makeCrySound(real);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 20; ++i) {
        missing->playCry();
        cry->playCry();
        QCoreApplication::processEvents();
    }
    EXPECT_LT(t.elapsed(), 2000);
}

#if defined(Q_OS_LINUX)
// Sets the variables of `values` (nullptr: unset) for the life of the object, and puts
// back what was there.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [name, value] : values) {
            before_.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
            if (value) {
                qputenv(name, value);
            } else {
                qunsetenv(name);
            }
        }
    }
    ~ScopedEnvironment() {
        for (const auto& b : before_) b.set ? qputenv(b.name, b.value) : qunsetenv(b.name);
    }

private:
    struct Before {
        const char* name;
        bool set;
        QByteArray value;
    };
    std::vector<Before> before_;
};

TEST(PlatformEnvironment, NamesTheSoundAndSkipsSharedMemoryUnlessThePlayerSaidOtherwise) {
    const QByteArray ours = "application.name='Gribo' application.icon_name='io.github.gribo.Gribo'";
    const struct {
        const char* what;
        const char* pulse;  // before; nullptr: unset
        const char* mitshm;
        QByteArray pulseAfter;
        QByteArray mitshmAfter;
    } cases[] = {
        {"nothing set", nullptr, nullptr, ours, "1"},
        {"set empty", "", "", ours, "1"},
        {"the player's own properties, which win", "media.role='game'", "0", ours + " media.role='game'", "0"},
        {"named already (a restart)", ours.constData(), "1", ours, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedEnvironment env({{"PULSE_PROP_OVERRIDE", c.pulse}, {"QT_XCB_NO_MITSHM", c.mitshm}});
        prepareEnvironment();
        EXPECT_EQ(qgetenv("PULSE_PROP_OVERRIDE"), c.pulseAfter);
        EXPECT_EQ(qgetenv("QT_XCB_NO_MITSHM"), c.mitshmAfter);
        prepareEnvironment();  // once more changes nothing
        EXPECT_EQ(qgetenv("PULSE_PROP_OVERRIDE"), c.pulseAfter);
    }
}
#endif

}  // namespace
}  // namespace gribo::ui
