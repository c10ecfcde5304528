// Run with QT_SCALE_FACTOR=1.5, as on a desktop at 150 %: every picture pixel must
// become the same 2 x 2 square of screen pixels, never 1 pixel here and 2 there.

#include <gtest/gtest.h>

#include <QPainter>

#include "ui/form1.h"
#include "ui/picture_slots.h"

namespace gribo::ui {
namespace {

TEST(PixelScale, IsTheNearestWholeMultipleAndNeverBelowOne) {
    const std::pair<qreal, int> cases[] = {{0.5, 1}, {1, 1},    {1.25, 1}, {1.5, 2}, {1.75, 2},
                                           {2, 2},   {2.25, 2}, {2.5, 3},  {3, 3}};
    for (const auto& [ratio, scale] : cases) EXPECT_EQ(pixelScale(ratio), scale) << ratio;
}

// The scene as its pictures make it at one screen pixel per picture pixel.
QImage composed(const Scene& scene, QSize pixels) {
    QImage out(pixels, QImage::Format_RGB32);
    out.fill(scene.palette().color(QPalette::Window));
    QPainter painter(&out);
    for (const QObject* child : scene.children()) {
        if (const auto* slot = qobject_cast<const PictureSlot*>(child)) painter.drawImage(slot->pos(), slot->picture());
    }
    return out;
}

// How many picture pixels of `scene` did not become one 2 x 2 square of their colour.
int unevenPixels(Scene& scene, QSize pixels) {
    const QImage expected = composed(scene, pixels);
    const QImage shot = scene.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GE(shot.width(), 2 * pixels.width());
    EXPECT_GE(shot.height(), 2 * pixels.height());
    int uneven = 0;
    for (int y = 0; y < pixels.height() && 2 * y + 1 < shot.height(); ++y)
        for (int x = 0; x < pixels.width() && 2 * x + 1 < shot.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            uneven += shot.pixel(2 * x, 2 * y) != want || shot.pixel(2 * x + 1, 2 * y) != want ||
                      shot.pixel(2 * x, 2 * y + 1) != want || shot.pixel(2 * x + 1, 2 * y + 1) != want;
        }
    return uneven;
}

TEST(HalfScaledScreen, EveryPicturePixelOfACheckerIsAnEqualSquare) {
    ASSERT_EQ(qEnvironmentVariable("QT_SCALE_FACTOR"), "1.5");
    Scene scene(nullptr, {13, 9});
    scene.setAutoFillBackground(true);
    QPalette pal = scene.palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    scene.setPalette(pal);
    auto* slot = new PictureSlot(&scene);
    slot->move(3, 1);
    QImage picture(9, 7, QImage::Format_ARGB32);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            picture.setPixelColor(x, y, (x + y) % 2 ? QColor(200, 40, 40) : (x == 4 ? Qt::transparent : Qt::white));
    slot->setPicture(picture);
    scene.show();
    EXPECT_EQ(unevenPixels(scene, {13, 9}), 0);
}

TEST(HalfScaledScreen, TheGameSceneIsWholeAndEven) {
    Form1 w;
    w.Timer1_Timer();  // the egg's first frame
    w.show();
    auto* scene = qobject_cast<Scene*>(w.centralWidget());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->size(), QSize(148, 128));  // 220 x 190 screen pixels, and one to start on a whole one
    EXPECT_EQ(unevenPixels(*scene, {110, 95}), 0);
}

}  // namespace
}  // namespace gribo::ui
