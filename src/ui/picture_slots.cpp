#include "ui/picture_slots.h"

#include <QImageReader>
#include <QPainter>
#include <QtDebug>

#include "ui/qt_ports.h"

namespace gribo::ui {

PictureSlot::PictureSlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureSlot::setPicture(const QImage& picture) {
    picture_ = picture;
    if (!picture_.isNull()) resize(picture_.size());  // the slot takes the picture's size
    update();
}

void PictureSlot::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(0, 0, picture_);
}

void SlotPictures::load(Slot slot, std::string_view path) {
    const QString file = assetFile(path);
    QImageReader reader(file);
    QImage image = reader.read();
    if (image.isNull()) {
        if (!reported_.contains(file)) {
            reported_.insert(file);
            qWarning("Gribo: cannot show %s: %s", qPrintable(file), qPrintable(reader.errorString()));
        }
    } else {
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    slots_[static_cast<std::size_t>(slot)]->setPicture(image);
}

}  // namespace gribo::ui
