// The main window as a blind or low-vision player meets it: the scene holds the
// keyboard and its name changes once for each piece of news; a large font keeps every
// menu on the bar; F10 opens the menus.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimerEvent>
#include <QToolButton>
#include <QWindow>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/fakes.h"
#include "windows/form1.h"
#include "windows/shell_rig.h"

namespace gribo::windows {
namespace {

// A baby of the shell's clock: hunger, droppings, hours since fed and a dropping owed.
Stored baby(const Shell& shell, int faim, int caca = 0, int hoursSinceFed = 0, const char* cacafait = "Oui") {
    Stored store = babyAtRest(shell, faim, caca, hoursSinceFed);
    store["stats/cacafait"] = cacafait;
    return store;
}

// A fast egg laid `hours` hours before the shell's clock.
Stored fastEgg(const Shell& shell, int hours) {
    test::FakeClock then(shell.clock.now());
    then.advanceMinutes(-60 * hours);
    Stored store;
    for (const auto& w : test::firstRunWrites(then.now())) store[w.section + "/" + w.key] = w.value;
    store["stade/stade"] = "Oeuf2";
    return store;
}

// The names the scene takes, one after another. Qt announces a name each time it
// changes (offscreen there is no bridge to hear the announcement itself; the AT-SPI
// test hears it). Handlers run one by one through `run`, and the name is read after
// each, as the narrator sets it at most once per handler.
struct Heard {
    QWidget* scene;
    QString last;
    QStringList names;
    explicit Heard(QWidget* watched) : scene(watched), last(sceneName(*watched)) {}
    void run(const std::function<void()>& handler) {
        handler();
        if (sceneName(*scene) != last) names << (last = sceneName(*scene));
    }
    QStringList take() { return std::exchange(names, {}); }
};

// What a player does, or what the game's timers do, handler by handler.
using Act = std::function<void(Shell&, Form1&, Heard&)>;
Act steps(int n) {  // the animation's next n steps
    return [n](Shell& s, Form1& w, Heard& h) {
        for (int i = 0; i < n; ++i) h.run([&] { fire(s, w, "Timer1"); });
    };
}
Act lifeClock() {
    return [](Shell& s, Form1& w, Heard& h) { h.run([&] { fire(s, w, "Timer2"); }); };
}
Act menu(const char* action) {
    return [action](Shell&, Form1& w, Heard& h) { h.run([&w, action] { w.findChild<QAction*>(action)->trigger(); }); };
}
Act then(Act a, Act b) {
    return [a, b](Shell& s, Form1& w, Heard& h) { a(s, w, h), b(s, w, h); };
}

const QString kWalks = "Gribo se promène";

// Each change a player should hear of gives the scene one new name; frames, beats and
// a steady state give none. Steps run one after another on one window.
TEST(ScreenReader, TheSceneIsRenamedOnceForEachPieceOfNews) {
    struct Step {
        const char* what;
        Act act;
        QStringList names;
    };
    const Shell at;  // the clock every case starts from
    const struct {
        const char* what;
        Stored store;
        std::vector<Step> steps;
    } cases[] = {
        {"a hungry baby with two droppings",
         baby(at, 600, 2),
         {{"crying starts as the droppings are drawn", lifeClock(), {"Gribo pleure, avec 2 crottes par terre"}},
          {"crying goes on", then(steps(40), lifeClock()), {}},
          {"the bath", menu("Laver"), {"Gribo prend son bain"}},
          {"the droppings washed, within the bath", steps(100), {}},
          {"the bath ends", steps(250), {kWalks}},
          {"walking", steps(60), {}},
          {"a meal", menu("Lait"), {"Gribo boit son biberon"}},
          {"the meal ends", steps(11), {kWalks}}}},
        {"an overfed baby",
         baby(at, -300),
         {{"sickness", lifeClock(), {"Gribo est malade"}}, {"the cure", menu("Veterinaire"), {kWalks}}}},
        {"a starving baby",
         baby(at, 1500),
         {{"the death notice", lifeClock(), {"Gribo est mort"}},
          {"the notice again", then(lifeClock(), steps(30)), {}},
          {"a meal", menu("viande"), {"Gribo mange de la viande"}}}},
        {"a baby that owes a dropping",
         baby(at, -100, 1, 2, "Non"),
         {{"a new dropping", lifeClock(), {kWalks + ", avec 2 crottes par terre"}},
          {"the next tick", lifeClock(), {}}}},
        {"a fast egg",
         fastEgg(at, 3),
         {{"beats", steps(20), {}},
          {"hatching", lifeClock(), {"L'œuf éclôt"}},
          {"the baby is born", steps(200), {kWalks}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Shell shell;
        shell.store.holds(c.store);
        Form1 w(shell.services());
        Heard heard(w.centralWidget());
        for (const auto& step : c.steps) {
            step.act(shell, w, heard);
            EXPECT_EQ(heard.take(), step.names) << step.what;
        }
    }
}

TEST(ScreenReader, TheSceneHoldsTheKeyboardWithoutAFocusFrame) {
    Shell shell;
    shell.store.holds(baby(shell, 0));
    Form1 w(shell.services());
    QWidget* scene = w.centralWidget();
    EXPECT_EQ(w.focusWidget(), scene);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), scene);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(scene)->state().focused);

    // The room looks the same with and without the keyboard.
    const QImage focused = scene->grab().toImage();
    scene->clearFocus();
    EXPECT_EQ(scene->grab().toImage(), focused);
    // Coming back to the window gives the scene the keyboard again.
    QWindow otherApplication;  // a window of no widget: another application
    otherApplication.show();
    otherApplication.requestActivate();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    w.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &w);
    EXPECT_EQ(QApplication::focusWidget(), scene);
}

// What is told is heard through AT-SPI (tests/a11y); here, that the keys are the
// scene's own and leave its texts as they were.
TEST(ScreenReader, SpaceOrEnterAreTheScenesOwnKeys) {
    Shell shell;
    shell.store.holds(baby(shell, 600));
    Form1 w(shell.services());
    fire(shell, w, "Timer2");
    QWidget* scene = w.centralWidget();
    QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(scene);
    const QString name = picture->text(QAccessible::Name), rest = picture->text(QAccessible::Description);
    ASSERT_EQ(name, "Gribo pleure");
    ASSERT_TRUE(rest.startsWith("Par la fen")) << rest.toStdString();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool taken;
    } cases[] = {{Qt::Key_Space, Qt::NoModifier, true},
                 {Qt::Key_Return, Qt::NoModifier, true},
                 {Qt::Key_Enter, Qt::KeypadModifier, true},
                 {Qt::Key_Space, Qt::ControlModifier, false},
                 {Qt::Key_A, Qt::NoModifier, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
        press.ignore();
        QApplication::sendEvent(scene, &press);
        EXPECT_EQ(press.isAccepted(), c.taken);
        EXPECT_EQ(picture->text(QAccessible::Name), name);
        EXPECT_EQ(picture->text(QAccessible::Description), rest);
    }
}

// F10 opens the first menu and gives the bar the keyboard, which the scene then leaves
// alone; once the menu closes the keyboard is the room's again.
TEST(MenuBar, F10OpensTheFirstMenuWithTheKeyboardAndNoEntryGainsAShortcut) {
    Shell shell;
    shell.store.holds(baby(shell, 0));
    Form1 w(shell.services());
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QMenu* gribo = w.menuBar()->actions().first()->menu();
    EXPECT_FALSE(gribo->isVisible());
    QTest::keyClick(w.centralWidget(), Qt::Key_F10);
    EXPECT_TRUE(gribo->isVisible());
    EXPECT_EQ(w.menuBar()->activeAction(), w.menuBar()->actions().first());
    EXPECT_EQ(w.focusWidget(), w.menuBar()) << "the keyboard comes back to the bar, not the room";
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    space.ignore();
    QApplication::sendEvent(w.centralWidget(), &space);
    EXPECT_FALSE(space.isAccepted()) << "the scene takes no key of the menus";
    gribo->close();
    QApplication::processEvents();
    EXPECT_EQ(w.focusWidget(), w.centralWidget());
    for (QAction* a : w.findChildren<QAction*>()) {
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
        EXPECT_FALSE(a->text().contains('&')) << a->text().toStdString();
    }
}

// Every top-level entry lies inside the bar and the overflow button stays hidden.
void expectEveryEntryShows(Form1& w) {
    QMenuBar* bar = w.menuBar();
    for (QAction* a : bar->actions()) {
        const QRect at = bar->actionGeometry(a);
        EXPECT_FALSE(at.isEmpty()) << a->text().toStdString();
        EXPECT_TRUE(bar->rect().contains(at))
            << a->text().toStdString() << " at " << at.x() << ".." << at.right() << " of " << bar->width();
    }
    for (QToolButton* more : bar->findChildren<QToolButton*>()) EXPECT_FALSE(more->isVisible());
    EXPECT_EQ(w.centralWidget()->width(), w.width());
}

// Point sizes at 96 dots per inch; 36 and 48 are 18 and 24 at QT_FONT_DPI=192.
TEST(MenuBar, EveryEntryShowsAtEveryFontSize) {
    const QFont original = QApplication::font();
    const struct { int points; } cases[] = {{9}, {10}, {12}, {14}, {18}, {24}, {36}, {48}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.points);
        QFont font = original;
        font.setPointSize(c.points);
        QApplication::setFont(font);
        Shell shell;
        shell.store.holds(baby(shell, 0));
        Form1 w(shell.services());
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        expectEveryEntryShows(w);
        // The room keeps its place at the left, its slots where they always are.
        EXPECT_EQ(slot(w, "Image4")->pos(), QPoint(8, 8));
        EXPECT_EQ(w.centralWidget()->height(), 95);
    }
    QApplication::setFont(original);
    Shell shell;
    shell.store.holds(baby(shell, 0));
    Form1 w(shell.services());
    EXPECT_EQ(w.centralWidget()->size(), QSize(110, 95));  // the window of the layout at the usual font
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QFont large = original;
    large.setPointSize(24);
    QApplication::setFont(large);  // the desktop's font changes while the game runs
    QApplication::processEvents();
    QApplication::processEvents();
    expectEveryEntryShows(w);
    QApplication::setFont(original);
}

}  // namespace
}  // namespace gribo::windows
