// The keyboard's ways inside the game that a window system does not decide: who
// holds the keyboard when the menus close, the death notice that waits for them, and
// a held key's repeats. The keys of the menu path itself are pressed for real, through
// an X server and a window manager, by tests/keyboard.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <functional>
#include <vector>

#include "state/messages.h"
#include "support/fakes.h"
#include "windows/form1.h"
#include "windows/held_keys.h"
#include "windows/menu_bar.h"
#include "windows/secondary_windows.h"
#include "windows/shell_rig.h"

namespace gribo::windows {
namespace {

MenuBar* bar(Form1& w) { return static_cast<MenuBar*>(w.menuBar()); }
QMenu* menu(Form1& w, const char* name) { return w.findChild<QMenu*>(name); }

int deathNotices(const Shell& shell) {
    int n = 0;
    for (const auto& s : shell.windows.shown) n += s.window == Window::DeathNotice;
    return n;
}

// How the player is in the menus, and how they leave them.
struct InTheMenus {
    const char* what;
    std::function<void(Form1&)> enter;
    std::function<void(Form1&)> leave;
};

const InTheMenus kWays[] = {
    {"gribo's drop-down, opened as F10 opens it", [](Form1& w) { bar(w)->open(); },
     [](Form1& w) { menu(w, "Gribo")->hide(); }},
    {"a sub-menu of it",
     [](Form1& w) {
         bar(w)->open();
         menu(w, "Objets")->popup(QPoint(0, 0));
     },
     [](Form1& w) {
         menu(w, "Objets")->hide();
         menu(w, "Gribo")->hide();
     }},
    {"an entry of the bar highlighted, the bar holding the keyboard",
     [](Form1& w) {
         bar(w)->setFocus(Qt::MenuBarFocusReason);
         bar(w)->setActiveAction(bar(w)->actions().last());
     },
     [](Form1& w) { QTest::keyClick(bar(w), Qt::Key_Escape); }},
};

TEST(Keyboard, TheDeathNoticeWaitsWhileThePlayerIsInTheMenusThenComesUp) {
    for (const InTheMenus& way : kWays) {
        SCOPED_TRACE(way.what);
        Shell shell;
        shell.store.holds(babyAtRest(shell, 1500));
        Form1 w(shell.services());
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

        way.enter(w);
        QApplication::processEvents();
        ASSERT_TRUE(bar(w)->inUse());
        fire(shell, w, "Timer2");
        fire(shell, w, "Timer2");
        EXPECT_EQ(deathNotices(shell), 0) << "while in the menus";
        // The scene's name says it all the same, for when the keyboard comes back.
        EXPECT_EQ(sceneName(*w.centralWidget()), "Gribo est mort");

        way.leave(w);
        QApplication::processEvents();
        EXPECT_FALSE(bar(w)->inUse());
        ASSERT_EQ(deathNotices(shell), 1) << "once, with the last text, when the menus close";
        EXPECT_EQ(shell.windows.shown.back().text, message::kStarvation);
        EXPECT_EQ(QApplication::focusWidget(), w.centralWidget()) << "the keyboard back with the room";

        fire(shell, w, "Timer2");
        EXPECT_EQ(deathNotices(shell), 2) << "out of the menus it comes at once";
    }
}

// The statistics and the vet are opened by the menus themselves: nothing waits.
TEST(Keyboard, TheMenusOwnWindowsComeAtOnce) {
    Shell shell;
    shell.store.holds(babyAtRest(shell, 300, 2));
    Form1 w(shell.services());
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    bar(w)->open();
    for (const char* entry : {"Stats", "Veterinaire"}) w.findChild<QAction*>(entry)->trigger();
    ASSERT_EQ(shell.windows.shown.size(), 2u);
    EXPECT_EQ(shell.windows.shown[0].window, Window::Stats);
    EXPECT_EQ(shell.windows.shown[1].window, Window::Vet);
    menu(w, "Gribo")->hide();
}

// A key as the window system hands it to a window: with the moment it was made.
void sendKey(QWindow* window, QEvent::Type type, quint64 at, bool qtSaysRepeat = false) {
    QKeyEvent key(type, Qt::Key_Space, Qt::NoModifier, " ", qtSaysRepeat);
    key.setTimestamp(at);
    QApplication::sendEvent(window, &key);
}

// X sends a held key as a release and a press at the same moment, again and again,
// then the last release; Qt flags some of those presses as repeats, not all.
TEST(Keyboard, AHeldSpacePressesNoButtonAndAFreshOneDoes) {
    struct Key {
        bool press;
        quint64 at;
        bool qtSaysRepeat = false;
    };
    const struct {
        const char* what;
        std::vector<Key> keys;
        bool closed;
    } cases[] = {
        {"a press and its release", {{true, 100}, {false, 160}}, true},
        {"the repeats of a key held since before the notice, Qt telling none",
         {{false, 200}, {true, 200}, {false, 240}, {true, 240}, {false, 300}},
         false},
        {"the repeats, Qt telling them", {{false, 200}, {true, 200, true}, {false, 240, true}, {false, 300}}, false},
        {"the held key, then a fresh press",
         {{false, 200}, {true, 200}, {false, 300}, {true, 500}, {false, 560}},
         true},
        {"a fresh press held down, then released: one press",
         {{true, 500}, {false, 540}, {true, 540}, {false, 600}},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SecondaryWindows shown;
        shown.show(Window::DeathNotice, message::kStarvation);
        QPointer<QWidget> notice = shown.window(Window::DeathNotice);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(notice));
        ASSERT_EQ(notice->focusWidget(), static_cast<Form3*>(notice.data())->Command1);
        for (const Key& k : c.keys) {
            if (!notice) break;
            sendKey(notice->windowHandle(), k.press ? QEvent::KeyPress : QEvent::KeyRelease, k.at, k.qtSaysRepeat);
        }
        EXPECT_EQ(notice.isNull() || !notice->isVisible(), c.closed);
        if (notice) notice->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The same moments, for a press that reaches a widget: the repeat is known there too.
TEST(Keyboard, ARepeatIsKnownByItsMomentAtTheWidget) {
    QWidget window;
    QWidget* inside = new QWidget(&window);
    inside->setFocusPolicy(Qt::StrongFocus);
    std::vector<bool> repeats;
    struct Recorder : QObject {
        std::vector<bool>& out;
        explicit Recorder(std::vector<bool>& o) : out(o) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyPress) out.push_back(isRepeat(*static_cast<QKeyEvent*>(e)));
            return false;
        }
    } recorder(repeats);
    inside->installEventFilter(&recorder);
    window.show();
    inside->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const auto& [press, at] : std::vector<std::pair<bool, quint64>>{
             {true, 10}, {false, 50}, {true, 50}, {false, 90}, {true, 90}, {false, 120}, {true, 400}, {false, 420}}) {
        sendKey(window.windowHandle(), press ? QEvent::KeyPress : QEvent::KeyRelease, at);
    }
    EXPECT_EQ(repeats, (std::vector<bool>{false, true, true, false}));
}

}  // namespace
}  // namespace gribo::windows
