#include "platform/start_up.h"

#include <fontconfig/fontconfig.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <utility>

namespace gribo::platform {

// Loading the configuration and the font caches takes several milliseconds; Qt's font
// database then finds it done (FcInit does nothing the second time).
FontsAhead::FontsAhead() : reader_([] { FcInit(); }) {}

void FontsAhead::ready() {
    if (reader_.joinable()) reader_.join();
}

namespace {

// Watches a window for its first expose, handled synchronously by the window (it paints
// and flushes there); `then` is queued behind it, and the watch ends.
class FirstPicture : public QObject {
public:
    FirstPicture(QWindow& window, std::function<void()> then) : QObject(&window), then_(std::move(then)) {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window->isExposed()) {
            window->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(then_), Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

}  // namespace

void afterFirstPicture(QWindow& window, std::function<void()> then) { new FirstPicture(window, std::move(then)); }

}  // namespace gribo::platform
