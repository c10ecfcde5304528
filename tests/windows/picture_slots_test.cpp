// The picture slots: each takes its picture's size, and the adapter reads every file
// afresh and leaves a missing one's slot empty.

#include "windows/picture_slots.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <array>

namespace gribo::windows {
namespace {

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

}  // namespace
}  // namespace gribo::windows
