#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/store_file.h"
#include "ui/picture_slots.h"
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
    const char* const annee =
        "ann\xc3\xa9"
        "e";
    QtSettingsStore store;
    EXPECT_EQ(store.fileName(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/Gribo/Gribo.conf");
    EXPECT_EQ(store.read("stade", "stade"), "");
    store.write("datecreation", annee, "2006");
    store.write("stats", "faim", "-100");
    store.write("stade", "stade", "Oeuf1");
    EXPECT_EQ(store.read("stats", "faim"), "-100");
    EXPECT_TRUE(test::storeOnDisk(store.fileName()).empty());
    store.flush();

    const std::map<std::string, std::string> expected = {
        {std::string("datecreation/") + annee, "2006"}, {"stats/faim", "-100"}, {"stade/stade", "Oeuf1"}};
    EXPECT_EQ(test::storeOnDisk(store.fileName()), expected);
    QtSettingsStore reopened;
    EXPECT_EQ(reopened.read("datecreation", annee), "2006");
}

TEST(SettingsStoreAdapter, AStoreThatCannotBeReadIsKeptAsideBeforeAnythingIsWritten) {
    // Runs in a process of its own that has not opened the store yet.
    const QString conf = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Gribo/Gribo.conf";
    QDir().mkpath(QFileInfo(conf).path());
    const QByteArray garbage("\xff\xfe\x00 not a settings file [[[\n", 32);
    {
        QFile f(conf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(garbage);
    }
    QtSettingsStore store;
    const QStringList aside = QDir(QFileInfo(conf).path()).entryList({"Gribo.conf.corrompu-*"});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(QFileInfo(conf).path() + "/" + aside.front());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), garbage);
    EXPECT_EQ(store.read("stade", "stade"), "");
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
    const QString dir = QCoreApplication::applicationDirPath() + "/datas/test-slot";
    QDir().mkpath(dir);
    const QString file = dir + "/pic.png";
    checker(Qt::red, Qt::blue).save(file);
    QWidget parent;
    std::array<PictureSlot*, 4> slots{new PictureSlot(&parent), new PictureSlot(&parent), new PictureSlot(&parent),
                                      new PictureSlot(&parent)};
    SlotPictures pictures(slots);
    pictures.load(Slot::Image3, "\\datas\\test-slot\\pic.png");
    EXPECT_EQ(slots[2]->picture().pixelColor(0, 0), QColor(Qt::blue));

    checker(Qt::green, Qt::yellow).save(file);  // same name, new picture
    pictures.load(Slot::Image3, "\\\\datas\\\\test-slot\\pic.png");
    EXPECT_EQ(slots[2]->picture().pixelColor(0, 0), QColor(Qt::yellow));
    QDir(dir).removeRecursively();
}

// Offscreen there is no audio device: the cry must neither crash nor hold up the tick.
TEST(CrySoundAdapter, PlayingNeverBlocksWithAMissingFileOrWithoutAnAudioDevice) {
    const QString real = assetFile("\\datas\\gribo\\pleure.wav");
    ASSERT_TRUE(QFile::exists(real)) << real.toStdString();
    CrySound missing(QCoreApplication::applicationDirPath() + "/datas/gribo/absent.wav");
    CrySound cry(real);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 20; ++i) {
        missing.playCry();
        cry.playCry();
        QCoreApplication::processEvents();
    }
    EXPECT_LT(t.elapsed(), 2000);
}

}  // namespace
}  // namespace gribo::ui
