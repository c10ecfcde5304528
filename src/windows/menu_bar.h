#pragma once

// The main window's menu bar as a player without a mouse uses it, with the keys of
// GNOME and KDE programs: F10 or Alt opens its first menu (Alt again closes it), the
// arrows move between entries and into sub-menus, Return, Enter or Space run the entry
// under the highlight, Escape closes the menus and gives the keyboard back to the room
// (from a sub-menu, it goes back to the menu it came from).
//
// Qt's bar acts on those keys only while it holds the keyboard, and it does not take
// the keyboard when its drop-down forwards it a key, nor when F10 or a click opens
// one. This bar takes the keyboard whenever a drop-down of its own opens or a key
// moves its highlight, and gives it back to the room as soon as it has neither a
// highlighted entry nor an open drop-down.

#include <QMenuBar>

namespace gribo::windows {

class MenuBar : public QMenuBar {
    Q_OBJECT
public:
    // `room`: the widget that holds the keyboard when the menus do not.
    MenuBar(QWidget& room, QWidget* parent);

    // Highlights the first entry and opens its drop-down, with the keyboard (F10).
    void open();
    // A drop-down is open, or the bar holds the keyboard with an entry highlighted.
    bool inUse() const;

Q_SIGNALS:
    // The menus were found closed, the keyboard back with the room. Sent after every
    // use of the menus, and possibly more often.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void actionEvent(QActionEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void takeKeyboard();
    // Follows Alt pressed and let go with no other key between; true for the events
    // Qt's own handling of Alt must not see.
    bool altAlone(QObject* watched, QEvent* event);
    void altUp();
    // Every drop-down of the bar runs its entry on Space, as on Return.
    void spaceRunsEntries();
    // Looks again once the event that may have closed the menus is over.
    void settleLater();
    void settle();

    QWidget& room_;
    bool settleQueued_ = false;
    bool altDown_ = false;  // Alt is down, alone
};

}  // namespace gribo::windows
