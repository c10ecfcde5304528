// Run with QT_SCALE_FACTOR=3: the scene must stay crisp, every screen pixel one of
// the picture's own colours.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSet>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/asset_folder.h"
#include "support/fakes.h"
#include "support/synced_store.h"
#include "windows/form1.h"
#include "windows/picture_slots.h"

namespace gribo::windows {
namespace {

TEST(ScaledScreen, PicturesAreDrawnWithoutSmoothing) {
    ASSERT_EQ(qEnvironmentVariable("QT_SCALE_FACTOR"), "3");
    Scene scene(nullptr, {20, 12});
    scene.setAutoFillBackground(true);
    QPalette pal = scene.palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    scene.setPalette(pal);
    auto* slot = new PictureSlot(&scene);
    slot->move(2, 1);
    QImage picture(9, 7, QImage::Format_ARGB32);
    const QColor a(200, 40, 40), b(40, 40, 200);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) picture.setPixelColor(x, y, (x + y) % 2 ? a : (x == 4 ? Qt::transparent : b));
    slot->setPicture(picture);
    scene.show();

    const QImage shot = scene.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.size(), QSize(60, 36));
    const QSet<QRgb> allowed = {QColor(10, 20, 30).rgb(), a.rgb(), b.rgb()};
    int off = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) off += !allowed.contains(shot.pixel(x, y));
    EXPECT_EQ(off, 0);
    // One picture pixel is a 3 x 3 block.
    EXPECT_EQ(shot.pixel(6, 3), b.rgb());
    EXPECT_EQ(shot.pixel(8, 5), b.rgb());
    EXPECT_EQ(shot.pixel(9, 3), a.rgb());
}

void addColours(QSet<QRgb>& into, std::string_view asset) {
    const QImage img(platform::assetFile(asset));
    ASSERT_FALSE(img.isNull()) << asset;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) == 255) into.insert(img.pixel(x, y) | 0xff000000u);
}

TEST(ScaledScreen, TheGameSceneShowsOnlyThePicturesOwnColours) {
    test::Rig fakes;
    test::MemorySyncedStore store;
    Form1 w({store, fakes.clock, fakes.random, fakes.windows, fakes.sound});
    w.Timer1_Timer();  // the egg's first frame
    w.show();
    const QImage shot = w.centralWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.size(), QSize(330, 285));
    QSet<QRgb> allowed = {w.centralWidget()->palette().color(QPalette::Window).rgb()};
    for (std::string_view a : {"\\datas\\fond.bmp", "\\datas\\gribo\\oeufbleuF1.gif", "\\datas\\cielnuit.gif",
                               "\\datas\\cielaube.gif", "\\datas\\ciel.gif", "\\datas\\cielsoir.gif"})
        addColours(allowed, a);
    int off = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) off += !allowed.contains(shot.pixel(x, y));
    EXPECT_EQ(off, 0);
    // Picture pixels are 3 x 3 blocks.
    int blocks = 0;
    for (int y = 0; y + 2 < shot.height(); y += 3)
        for (int x = 0; x + 2 < shot.width(); x += 3)
            blocks += shot.pixel(x, y) == shot.pixel(x + 2, y + 2) && shot.pixel(x, y) == shot.pixel(x + 1, y + 1);
    EXPECT_EQ(blocks, (shot.width() / 3) * (shot.height() / 3));
}

}  // namespace
}  // namespace gribo::windows
