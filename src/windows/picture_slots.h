#pragma once

// The scene of the main window, its four picture slots and their adapter.

#include <QImage>
#include <QSet>
#include <QString>
#include <QWidget>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "state/ports.h"

namespace gribo::windows {

// The whole number of device pixels a picture pixel spans along each side on a
// screen of `devicePixelRatio`: the nearest whole multiple, halves rounded up (1.5
// gives 2, 2.5 gives 3), never below 1.
int pixelScale(qreal devicePixelRatio);

// One picture at its natural size, anchored at the slot's top-left corner. Position
// and size are in scene pixels, the pictures' own. The slot never draws itself: its
// Scene draws it, so it stays hidden.
class PictureSlot : public QWidget {
    Q_OBJECT
public:
    explicit PictureSlot(QWidget* parent);
    // The slot takes the picture's size; a null picture empties it.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

private:
    QImage picture_;
};

// Draws its picture slots, back to front as they lie among its children, without
// smoothing: at any device pixel ratio every picture pixel is the same square of
// pixelScale() device pixels, starting on a whole device pixel. Its logical size
// follows, so the scene is never cropped or stretched, and it is never smaller than
// at scale 1. Transparent picture pixels show the slots behind, and the scene's
// palette where no slot covers.
class Scene : public QWidget {
    Q_OBJECT
public:
    // `pixels`: the scene's size in picture pixels.
    Scene(QWidget* parent, QSize pixels);
    // Repaints the part of the scene at `area`, in picture pixels.
    void updateArea(const QRect& area);
    // Makes the scene at least `logicalWidth` wide (0: as wide as the room). The room
    // stays at the left; the scene's palette fills the rest.
    void widenTo(int logicalWidth);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Sizes the widget for its screen's device pixel ratio.
    void fitScreen();

    QSize pixels_;
    int atLeast_ = 0;
};

// Reads each picture from the program's asset root (see asset_folder.h), or from
// `root` when one is given, afresh on every load (QImageReader, so no pixmap cache). A
// file that cannot be read leaves its slot empty and is reported once.
class SlotPictures : public PictureSlots {
public:
    explicit SlotPictures(std::array<PictureSlot*, 4> slots, QString root = {})
        : slots_(slots), root_(std::move(root)) {}
    void load(Slot slot, std::string_view path) override;
    // The path of the picture `slot` shows; empty while it shows none.
    std::string_view shown(Slot slot) const { return shown_[static_cast<std::size_t>(slot)]; }

private:
    std::array<PictureSlot*, 4> slots_;
    QString root_;
    std::array<std::string, 4> shown_;
    QSet<QString> reported_;
};

}  // namespace gribo::windows
