#include "windows/menu_bar.h"

#include <QActionEvent>
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
    return hasFocus() && activeAction();
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

bool MenuBar::eventFilter(QObject* watched, QEvent* event) {
    // Qt's drop-downs take Space for an entry only in the Motif style. Here it opens a
    // sub-menu or runs an entry as Return does; a held key runs it once.
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
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
