#include "windows/menu_bar.h"

#include <QActionEvent>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

#include "windows/held_keys.h"

namespace gribo::windows {

MenuBar::MenuBar(QWidget& room, QWidget* parent) : QMenuBar(parent), room_(room) { setObjectName("menuBar"); }

void MenuBar::open() {
    const QList<QAction*> entries = actions();
    if (entries.isEmpty()) return;
    takeKeyboard();
    setActiveAction(entries.first());
}

bool MenuBar::inUse() const {
    for (const QAction* a : actions()) {
        if (a->menu() && a->menu()->isVisible()) return true;
    }
    // The window's own record of its keyboard, not hasFocus(): while the window system
    // moves the activation about (a drop-down's window taking it and giving it back),
    // the bar is still the one the window gives the keyboard to.
    return (hasFocus() || window()->focusWidget() == this) && activeAction();
}

void MenuBar::actionEvent(QActionEvent* event) {
    QMenuBar::actionEvent(event);
    if (event->type() != QEvent::ActionAdded) return;
    if (QMenu* menu = event->action()->menu()) {
        // The window's keyboard is the bar's while the drop-down is open, so that it
        // comes back to the bar, not the room, when the drop-down hands over to it.
        connect(menu, &QMenu::aboutToShow, this, &MenuBar::takeKeyboard, Qt::UniqueConnection);
        connect(menu, &QMenu::aboutToShow, this, &MenuBar::spaceRunsEntries, Qt::UniqueConnection);
        connect(menu, &QMenu::aboutToHide, this, &MenuBar::settleLater, Qt::UniqueConnection);
    }
}

void MenuBar::spaceRunsEntries() {
    for (QMenu* menu : findChildren<QMenu*>()) menu->installEventFilter(this);  // once each: Qt moves it to the front
}

bool MenuBar::altAlone(QObject* watched, QEvent* event) {
    // While Alt is down the bar watches the whole application, so that a key a widget
    // takes for itself still counts as "another key".
    const bool ours = watched == window() || qobject_cast<QMenu*>(watched);
    if (!ours && !altDown_) return false;
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Qt's own Alt gesture starts here; the bar keeps its own (below).
            return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_Alt) {
                altUp();
            } else if (ours && !altDown_ && !isRepeat(*key) &&
                       (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier) {
                altDown_ = true;
                qApp->installEventFilter(this);
            }
            return false;
        }
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_Alt || !altDown_) return false;
            altUp();
            if (inUse()) {
                setActiveAction(nullptr);
                settleLater();
            } else {
                open();
            }
            return false;
        }
        case QEvent::MouseButtonPress:
        case QEvent::ActivationChange:  // Alt+Tab to another window, say
            altUp();
            return false;
        default:
            return false;
    }
}

void MenuBar::altUp() {
    if (!altDown_) return;
    altDown_ = false;
    qApp->removeEventFilter(this);
}

bool MenuBar::eventFilter(QObject* watched, QEvent* event) {
    // Alt alone, pressed and let go, opens the menus as F10 does, and closes them. Qt's
    // own gesture for it sometimes takes the press of Alt for its release when the
    // machine is busy, and closes the bar at once: it never sees the key.
    if (altAlone(watched, event)) return false;
    // Qt's drop-downs take Space for an entry only in the Motif style. Here it opens a
    // sub-menu or runs an entry as Return does; a held key runs it once.
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Keys typed fast reach a drop-down that the key before them closed (Right to
        // "Stats", then Return): they belong to whoever holds the keyboard now.
        if (!menu->isVisible()) {
            QWidget* now =
                QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget();
            if (now && now != menu) {
                QKeyEvent again(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                                static_cast<ushort>(key->count()));
                QCoreApplication::sendEvent(now, &again);
            }
            return true;
        }
        // Escape in a drop-down of the bar itself closes the menus, and the keyboard goes
        // back to the room; in a sub-menu it goes back to the menu it came from.
        if (key->key() == Qt::Key_Escape && actions().contains(menu->menuAction())) {
            if (event->type() == QEvent::KeyPress) {
                setActiveAction(nullptr);
                settleLater();
            }
            return true;
        }
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            if (event->type() == QEvent::KeyPress && !isRepeat(*key)) {
                QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QCoreApplication::sendEvent(menu, &ret);
            }
            return true;
        }
    }
    return QMenuBar::eventFilter(watched, event);
}

void MenuBar::keyPressEvent(QKeyEvent* event) {
    // A key can reach the bar without the keyboard: an open drop-down forwards the
    // arrows it has no use for. Once the highlight moves, the next keys are the bar's.
    const QAction* before = activeAction();
    QMenuBar::keyPressEvent(event);
    if (activeAction() && activeAction() != before) takeKeyboard();
    settleLater();
}

void MenuBar::focusInEvent(QFocusEvent* event) {
    QMenuBar::focusInEvent(event);
    settleLater();  // back from a drop-down that ran an entry or was closed
}

void MenuBar::leaveEvent(QEvent* event) {
    QMenuBar::leaveEvent(event);
    settleLater();  // a highlight under the mouse is gone
}

void MenuBar::takeKeyboard() {
    if (!hasFocus()) setFocus(Qt::MenuBarFocusReason);
}

void MenuBar::settleLater() {
    if (settleQueued_) return;
    settleQueued_ = true;
    QMetaObject::invokeMethod(this, &MenuBar::settle, Qt::QueuedConnection);
}

void MenuBar::settle() {
    settleQueued_ = false;
    if (inUse()) return;
    if (hasFocus()) room_.setFocus(Qt::MenuBarFocusReason);
    Q_EMIT closed();
}

}  // namespace gribo::windows
