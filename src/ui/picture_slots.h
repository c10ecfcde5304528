#pragma once

// The four picture slots of the main window and their adapter.

#include <QImage>
#include <QSet>
#include <QString>
#include <QWidget>
#include <array>

#include "state/ports.h"

namespace gribo::ui {

// Shows one picture at its natural size, anchored at the slot's top-left corner,
// without smoothing: on a scaled screen every pixel becomes a crisp block.
// Transparent pixels show the slots behind.
class PictureSlot : public QWidget {
    Q_OBJECT
public:
    explicit PictureSlot(QWidget* parent);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

// Reads each picture from <exe dir>/datas afresh on every load (QImageReader, so no
// pixmap cache). A file that cannot be read leaves its slot empty and is reported once.
class SlotPictures : public PictureSlots {
public:
    explicit SlotPictures(std::array<PictureSlot*, 4> slots) : slots_(slots) {}
    void load(Slot slot, std::string_view path) override;

private:
    std::array<PictureSlot*, 4> slots_;
    QSet<QString> reported_;
};

}  // namespace gribo::ui
