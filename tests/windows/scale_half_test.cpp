// Run with QT_SCALE_FACTOR=1.5, as on a desktop at 150 %: every picture pixel must
// become the same 2 x 2 square of screen pixels, never 1 pixel here and 2 there.

#include <gtest/gtest.h>

#include <QPainter>
#include <initializer_list>
#include <string>

#include "support/fakes.h"
#include "support/synced_store.h"
#include "windows/form1.h"

namespace gribo::windows {
namespace {

TEST(HalfScaledScreen, TheGameSceneIsWholeAndEveryPicturePixelAnEqualSquare) {
    ASSERT_EQ(qEnvironmentVariable("QT_SCALE_FACTOR"), "1.5");
    test::Rig fakes;
    test::MemorySyncedStore store;
    Form1 w({store, fakes.clock, fakes.random, fakes.windows, fakes.sound});
    w.Timer1_Timer();  // the egg's first frame
    w.show();
    QWidget* scene = w.centralWidget();
    EXPECT_EQ(scene->size(), QSize(148, 128));  // 220 x 190 screen pixels, and one to start on a whole one

    // The scene as its slots make it at one screen pixel per picture pixel.
    QImage expected(110, 95, QImage::Format_RGB32);
    expected.fill(scene->palette().color(QPalette::Window));
    QPainter painter(&expected);
    for (const char* name : {"Image1", "Image2", "Image3", "Image4"}) {
        const PictureSlot* slot = w.findChild<PictureSlot*>(name);
        ASSERT_NE(slot, nullptr) << name;
        painter.drawImage(slot->pos(), slot->picture());
    }
    const QImage shot = scene->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(shot.width() >= 220 && shot.height() >= 190) << shot.width() << "x" << shot.height();
    int uneven = 0;
    for (int y = 0; y < 95; ++y)
        for (int x = 0; x < 110; ++x)
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                uneven += shot.pixel(2 * x + d.x(), 2 * y + d.y()) != expected.pixel(x, y);
    EXPECT_EQ(uneven, 0);
}

}  // namespace
}  // namespace gribo::windows
