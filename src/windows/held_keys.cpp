#include "windows/held_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <map>

namespace gribo::windows {
namespace {

constexpr char kHeldKeysIgnored[] = "gribo_held_keys_ignored";

// Sees every key event of the application before its receiver does. A key comes
// first to its window with the moment the window system gave it; Qt then passes it
// on without one (to the window again, then to the widget). The timed events tell a
// press that repeats, and the others get the answer.
class KeyWatch : public QObject {
public:
    bool repeats(const QKeyEvent& press) const {
        return press.isAutoRepeat() || (press.key() == pressed_ && pressRepeats_);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool press = event->type() == QEvent::KeyPress;
        if (!press && event->type() != QEvent::KeyRelease) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched->isWindowType() && key->timestamp() != 0) {
            if (press) {
                const auto last = released_.find(key->key());
                pressed_ = key->key();
                pressRepeats_ = last != released_.end() && last->second == key->timestamp();
            } else {
                released_[key->key()] = key->timestamp();
            }
        } else if (press && !watched->isWindowType() && watched->property(kHeldKeysIgnored).toBool() && repeats(*key)) {
            return true;
        }
        return false;
    }

private:
    std::map<int, quint64> released_;  // each key's last release, by the window system's clock
    int pressed_ = 0;                  // the last key pressed, and whether it repeats
    bool pressRepeats_ = false;
};

KeyWatch& keyWatch() {
    static QPointer<KeyWatch> watch;  // lives as long as the application it watches
    if (!watch) {
        watch = new KeyWatch;
        watch->setParent(qApp);
        qApp->installEventFilter(watch);
    }
    return *watch;
}

}  // namespace

bool isRepeat(const QKeyEvent& press) { return keyWatch().repeats(press); }

void ignoreHeldKeys(QAbstractButton* button) {
    keyWatch();
    button->setProperty(kHeldKeysIgnored, true);
}

}  // namespace gribo::windows
