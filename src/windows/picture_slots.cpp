#include "windows/picture_slots.h"

#include <QEvent>
#include <QImageReader>
#include <QLayout>
#include <QPainter>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "platform/asset_folder.h"

namespace gribo::windows {

int pixelScale(qreal devicePixelRatio) { return std::max(1, static_cast<int>(std::floor(devicePixelRatio + 0.5))); }

PictureSlot::PictureSlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setVisible(false);
}

void PictureSlot::setPicture(const QImage& picture) {
    const QRect before = geometry();
    picture_ = picture;
    if (!picture_.isNull()) resize(picture_.size());  // the slot takes the picture's size
    if (auto* scene = qobject_cast<Scene*>(parentWidget())) scene->updateArea(before.united(geometry()));
}

Scene::Scene(QWidget* parent, QSize pixels) : QWidget(parent), pixels_(pixels) { fitScreen(); }

void Scene::fitScreen() {
    const qreal ratio = devicePixelRatioF();
    const int k = pixelScale(ratio);
    // On a fractional ratio the widget may begin inside a device pixel; the scene then
    // starts on the next whole one and needs at most one device pixel more. Where the
    // pictures come out smaller than Qt's scaling (1.25 gives 1), the scene keeps the
    // logical size it has at scale 1, so the menu bar above it fits as at scale 1, and
    // the frame's colour fills what the pictures leave.
    const int slack = ratio == k ? 0 : 1;
    const auto logical = [&](int n) { return std::max(n, static_cast<int>(std::ceil((n * k + slack) / ratio))); };
    const QSize size(std::max(logical(pixels_.width()), atLeast_), logical(pixels_.height()));
    if (size == this->size() && size == minimumSize() && size == maximumSize()) return;
    setFixedSize(size);
    // A window fixed to its contents follows the scene to a screen of another ratio.
    QWidget* top = window();
    if (top != this && top->minimumSize() == top->maximumSize()) {
        if (top->layout()) top->layout()->activate();
        top->setFixedSize(top->sizeHint());
    }
}

void Scene::widenTo(int logicalWidth) {
    atLeast_ = std::max(0, logicalWidth);
    fitScreen();
}

bool Scene::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal) fitScreen();
    return QWidget::event(event);
}

void Scene::updateArea(const QRect& area) {
    const qreal step = pixelScale(devicePixelRatioF()) / devicePixelRatioF();
    const QRectF logical(area.x() * step, area.y() * step, area.width() * step, area.height() * step);
    update(logical.toAlignedRect().adjusted(-1, -1, 1, 1));  // and the shift to a whole device pixel
}

void Scene::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Paint in device pixels from the first whole one of the widget, k of them for
    // each picture pixel.
    const QTransform device = painter.deviceTransform();
    const QPointF origin = device.map(QPointF(0, 0));
    const qreal k = pixelScale(devicePixelRatioF());
    const QTransform exact(k, 0, 0, k, std::ceil(origin.x() - 1e-6), std::ceil(origin.y() - 1e-6));
    painter.setWorldTransform(exact * device.inverted());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QObject* child : children()) {
        const auto* slot = qobject_cast<const PictureSlot*>(child);
        if (slot && !slot->picture().isNull()) painter.drawImage(slot->pos(), slot->picture());
    }
}

void SlotPictures::load(Slot slot, std::string_view path) {
    const QString file = root_.isEmpty() ? platform::assetFile(path) : platform::assetFileIn(root_, path);
    QImageReader reader(file);
    QImage image = reader.read();
    const auto i = static_cast<std::size_t>(slot);
    if (image.isNull()) {
        if (!reported_.contains(file)) {
            reported_.insert(file);
            qWarning("Gribo: cannot show %s: %s", qPrintable(file), qPrintable(reader.errorString()));
        }
        shown_[i].clear();
    } else {
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        shown_[i].assign(path);
    }
    slots_[i]->setPicture(image);
}

}  // namespace gribo::windows
