// The main window as a blind or low-vision player meets it: the scene holds the
// keyboard and its name changes once for each piece of news; a large font keeps every
// menu on the bar; F10 opens the menus.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDateTime>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTest>
#include <QTimerEvent>
#include <QToolButton>
#include <functional>
#include <map>
#include <vector>

#include "state/hour_stamp.h"
#include "support/fakes.h"
#include "ui/form1.h"

namespace gribo::ui {
namespace {

// A store left by an earlier run: "section/key" = text.
void storeHolds(const std::map<QString, QString>& values) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo");
    s.clear();
    for (const auto& [key, value] : values) s.setValue(key, value);
    s.sync();
}

LocalDateTime local(const QDateTime& t) {
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

int32_t nowStamp() { return hourStamp(QtClock().now()); }

std::map<QString, QString> baby(int faim, int caca = 0, int hoursSinceFed = 0, const char* cacafait = "Oui") {
    return {{"stade/stade", "nourrisson"},
            {"stats/faim", QString::number(faim)},
            {"stats/caca", QString::number(caca)},
            {"stats/cacafait", cacafait},
            {"datestats/datenourrit", QString::number(nowStamp() - hoursSinceFed)}};
}

// A fast egg laid `hours` clock hours ago, on the game's own calendar.
std::map<QString, QString> fastEgg(int hours) {
    QDateTime then = QDateTime::currentDateTime();
    while (nowStamp() - hourStamp(local(then)) < hours) then = then.addSecs(-3600);
    std::map<QString, QString> store;
    for (const auto& w : test::firstRunWrites(local(then)))
        store[QString::fromStdString(w.section + "/" + w.key)] = QString::fromStdString(w.value);
    store["stade/stade"] = "Oeuf2";
    return store;
}

void fire(QTimer* timer, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QTimerEvent tick(timer->timerId());
        QCoreApplication::sendEvent(timer, &tick);
    }
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
using Act = std::function<void(Form1&, Heard&)>;
Act steps(int n) {  // the animation's next n steps
    return [n](Form1& w, Heard& h) {
        for (int i = 0; i < n; ++i) h.run([&w] { fire(w.Timer1); });
    };
}
Act lifeClock() {
    return [](Form1& w, Heard& h) { h.run([&w] { fire(w.Timer2); }); };
}
Act menu(const char* action) {
    return [action](Form1& w, Heard& h) { h.run([&w, action] { w.findChild<QAction*>(action)->trigger(); }); };
}
Act then(Act a, Act b) {
    return [a, b](Form1& w, Heard& h) { a(w, h), b(w, h); };
}

const QString kWalks = QString::fromUtf8("Gribo se prom\xc3\xa8ne");

// Each change a player should hear of gives the scene one new name; frames, beats and
// a steady state give none. Steps run one after another on one window.
TEST(ScreenReader, TheSceneIsRenamedOnceForEachPieceOfNews) {
    struct Step {
        const char* what;
        Act act;
        QStringList names;
    };
    const struct {
        const char* what;
        std::map<QString, QString> store;
        std::vector<Step> steps;
    } cases[] = {
        {"a hungry baby with two droppings",
         baby(600, 2),
         {{"crying starts as the droppings are drawn", lifeClock(), {"Gribo pleure, avec 2 crottes par terre"}},
          {"crying goes on", then(steps(40), lifeClock()), {}},
          {"the bath", menu("Laver"), {"Gribo prend son bain"}},
          {"the droppings washed, within the bath", steps(100), {}},
          {"the bath ends", steps(250), {kWalks}},
          {"walking", steps(60), {}},
          {"a meal", menu("Lait"), {"Gribo boit son biberon"}},
          {"the meal ends", steps(11), {kWalks}}}},
        {"an overfed baby",
         baby(-300),
         {{"sickness", lifeClock(), {"Gribo est malade"}}, {"the cure", menu("Veterinaire"), {kWalks}}}},
        {"a starving baby",
         baby(1500),
         {{"the death notice", lifeClock(), {"Gribo est mort"}},
          {"the notice again", then(lifeClock(), steps(30)), {}},
          {"a meal", menu("viande"), {"Gribo mange de la viande"}}}},
        {"a baby that owes a dropping",
         baby(-100, 1, 2, "Non"),
         {{"a new dropping", lifeClock(), {kWalks + ", avec 2 crottes par terre"}},
          {"the next tick", lifeClock(), {}}}},
        {"a fast egg",
         fastEgg(3),
         {{"beats", steps(20), {}},
          {"hatching",
           lifeClock(),
           {QString::fromUtf8("L'\xc5\x93uf \xc3\xa9"
                              "cl\xc3\xb4t")}},
          {"the baby is born", steps(200), {kWalks}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        storeHolds(c.store);
        Form1 w;
        Heard heard(w.centralWidget());
        for (const auto& step : c.steps) {
            step.act(w, heard);
            EXPECT_EQ(heard.take(), step.names) << step.what;
        }
    }
}

TEST(ScreenReader, TheSceneHoldsTheKeyboardWithoutAFocusFrame) {
    storeHolds(baby(0));
    Form1 w;
    QWidget* scene = w.centralWidget();
    EXPECT_EQ(w.focusWidget(), scene);
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), scene);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(scene)->state().focused);

    // The room looks the same with and without the keyboard.
    const QImage focused = scene->grab().toImage();
    scene->clearFocus();
    EXPECT_EQ(scene->grab().toImage(), focused);
    // Coming back to the window gives the scene the keyboard again.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(QApplication::focusWidget(), scene);
}

// What is told is heard through AT-SPI (tests/a11y); here, that the keys are the
// scene's own and leave its texts as they were.
TEST(ScreenReader, SpaceOrEnterAreTheScenesOwnKeys) {
    storeHolds(baby(600));
    Form1 w;
    fire(w.Timer2);
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

TEST(MenuBar, F10OpensTheFirstMenuAndNoEntryGainsAShortcut) {
    storeHolds(baby(0));
    Form1 w;
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QMenu* gribo = w.menuBar()->actions().first()->menu();
    EXPECT_FALSE(gribo->isVisible());
    QTest::keyClick(w.centralWidget(), Qt::Key_F10);
    EXPECT_TRUE(gribo->isVisible());
    EXPECT_EQ(w.menuBar()->activeAction(), w.menuBar()->actions().first());
    gribo->close();
    for (QAction* a : w.findChildren<QAction*>()) EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
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
        storeHolds(baby(0));
        Form1 w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        expectEveryEntryShows(w);
        // The room keeps its place at the left, its slots where they always are.
        EXPECT_EQ(w.Image4->pos(), QPoint(8, 8));
        EXPECT_EQ(w.centralWidget()->height(), 95);
    }
    QApplication::setFont(original);
    storeHolds(baby(0));
    Form1 w;
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
}  // namespace gribo::ui
