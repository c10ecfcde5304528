#include "windows/form1.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QTimerEvent>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "care/commands.h"
#include "platform/asset_folder.h"
#include "rules/startup.h"
#include "support/fakes.h"
#include "support/synced_store.h"
#include "windows/secondary_windows.h"
#include "windows/shell_rig.h"

namespace gribo::windows {
namespace {

TEST(MainWindow, IsAFixedGriboWindowWithoutMaximiseOrMinimise) {
    Shell shell;
    Form1 w(shell.services());
    EXPECT_EQ(w.windowTitle(), "Gribo");
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
    const QWidget* scene = w.centralWidget();
    EXPECT_EQ(scene->size(), QSize(110, 95));
    // The animation timer is armed once for each step: here the new egg's first tick.
    QTimer* timer1 = timer(w, "Timer1");
    QTimer* timer2 = timer(w, "Timer2");
    ASSERT_TRUE(timer1 && timer2);
    EXPECT_TRUE(timer1->isSingleShot());
    EXPECT_EQ(timer1->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(timer1->interval(), 10);
    EXPECT_EQ(timer2->interval(), 20000);
    EXPECT_TRUE(timer1->isActive());
    EXPECT_TRUE(timer2->isActive());
}

TEST(MainWindow, SlotsAreStackedBackgroundToDroppingsAtTheirPlaces) {
    Shell shell;
    Form1 w(shell.services());
    QList<PictureSlot*> slotsBackToFront;
    for (QObject* child : w.centralWidget()->children()) {
        if (auto* s = qobject_cast<PictureSlot*>(child)) slotsBackToFront.push_back(s);
    }
    ASSERT_EQ(slotsBackToFront.size(), 4);
    const struct {
        const char* name;
        QPoint at;
    } expected[] = {{"Image1", {16, 8}}, {"Image2", {16, 8}}, {"Image3", {16, 8}}, {"Image4", {8, 8}}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(slotsBackToFront[i]->objectName(), expected[i].name);
        EXPECT_EQ(slotsBackToFront[i]->pos(), expected[i].at) << expected[i].name;
    }
}

TEST(MainWindow, MenuTreeHasTheGamesCaptionsNamesAndOrder) {
    Shell shell;
    Form1 w(shell.services());
    const QList<QAction*> top = w.menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text(), "gribo");
    ASSERT_NE(top[0]->menu(), nullptr);
    EXPECT_EQ(top[0]->menu()->objectName(), "Gribo");
    EXPECT_EQ(top[1]->text(), "Stats");
    EXPECT_EQ(top[1]->objectName(), "Stats");
    EXPECT_EQ(top[1]->menu(), nullptr);  // a command right on the bar

    const QList<QAction*> gribo = top[0]->menu()->actions();
    ASSERT_EQ(gribo.size(), 3);
    EXPECT_EQ(gribo[0]->text(), "Objets");
    EXPECT_EQ(gribo[1]->text(), "Soins");
    EXPECT_EQ(gribo[2]->text(), QString::fromUtf8("§DEV§RESET"));
    EXPECT_EQ(gribo[2]->objectName(), gribo[2]->text());

    auto items = [](QAction* a) {
        QStringList out;
        for (QAction* x : a->menu()->actions()) out << x->text() + "=" + x->objectName();
        return out;
    };
    EXPECT_EQ(gribo[0]->menu()->objectName(), "Objets");
    EXPECT_EQ(items(gribo[0]), QStringList({"Lait=Lait", "Viande=viande"}));
    EXPECT_EQ(gribo[1]->menu()->objectName(), "Soins");
    EXPECT_EQ(items(gribo[1]), QStringList({"Laver=Laver", "Veterinaire=Veterinaire"}));
    for (QAction* a : w.findChildren<QAction*>()) {
        EXPECT_TRUE(a->isEnabled());
        EXPECT_FALSE(a->isCheckable());
        EXPECT_TRUE(a->shortcut().isEmpty());
        EXPECT_FALSE(a->isSeparator());
    }
}

void choose(Form1& w, const char* action) {
    QAction* a = w.findChild<QAction*>(QString::fromUtf8(action));
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
}

const char* const kReset = "§DEV§RESET";

// What a handler writes is saved before it returns: the store's disk holds it then.
TEST(MainWindow, WhatEachHandlerWritesIsOnTheDiskWhenItReturns) {
    const Shell at;  // the clock every case starts on
    const std::string now = std::to_string(hourStamp(at.clock.now()));
    const std::string hourLater = std::to_string(hourStamp(at.clock.now()) + 1);
    const struct {
        const char* what;
        Stored before;
        std::function<void(Shell&, Form1&)> play;
        Stored onDisk;
    } cases[] = {
        {"start-up of a new egg",
         {},
         [](Shell&, Form1&) {},
         {{"stade/stade", "Oeuf1"}, {"stats/faim", "0"}, {"datestats/datenourrit", now}, {"datecreation/heure", "18"}}},
        {"milk's end",
         babyAtRest(at),
         [](Shell& s, Form1& w) { choose(w, "Lait"), fire(s, w, "Timer1", 11); },  // its eleven steps
         {{"stats/faim", "-100"}, {"stats/cacafait", "Non"}, {"datestats/datenourrit", now}}},
        {"vet's cure",
         babyAtRest(at, -300),
         [](Shell& s, Form1& w) { fire(s, w, "Timer2"), choose(w, "Veterinaire"); },
         {{"stats/faim", "0"}, {"stats/cacafait", "Non"}, {"datestats/datenourrit", now}}},
        {"life clock",
         babyAtRest(at, 100, 0, 2),
         [](Shell& s, Form1& w) { fire(s, w, "Timer2"); },
         {{"stats/faim", "300"}, {"datestats/datenourrit", now}}},
        {"life clock once the hour has changed",
         babyAtRest(at, 100, 0, 1),
         [](Shell& s, Form1& w) { s.clock.advanceMinutes(1), fire(s, w, "Timer2"); },
         {{"stats/faim", "300"}, {"datestats/datenourrit", hourLater}}},
        {"developer reset",
         babyAtRest(at, 0, 3),
         [](Shell&, Form1& w) { choose(w, kReset); },
         {{"stade/stade", ""}, {"datestats/datenourrit", "0"}, {"datecreation/jour", ""}, {"stats/caca", "3"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Shell shell;
        shell.store.holds(c.before);
        Form1 w(shell.services());
        c.play(shell, w);
        for (const auto& [key, value] : c.onDisk) EXPECT_EQ(shell.store.onDisk(key), value) << key;
        EXPECT_FALSE(shell.store.unsaved());
    }
}

TEST(MainWindow, AFirstRunIsOnTheDiskBeforeTheWindowShowsAndAReloadWritesNothing) {
    Shell first;
    Form1 egg(first.services());
    EXPECT_EQ(egg.pet().stade, "Oeuf1");
    const std::vector<test::MemoryStore::Write> expected = test::firstRunWrites(first.clock.now());
    EXPECT_EQ(first.store.memory.log, expected);
    ASSERT_EQ(first.store.disk.size(), expected.size());
    for (const auto& write : expected) EXPECT_EQ(first.store.onDisk(write.section + "/" + write.key), write.value);

    Shell again;
    again.store.holds(babyAtRest(again, -250));
    const auto before = again.store.disk;
    Form1 baby(again.services());
    EXPECT_EQ(baby.pet().stade, "nourrisson");
    EXPECT_EQ(baby.pet().faim, -250);
    EXPECT_TRUE(again.store.memory.log.empty());
    EXPECT_EQ(again.store.tries, 0);
    EXPECT_EQ(again.store.disk, before);
}

// A save that fails is told once, kept, and tried again at each life-clock tick and
// when the window closes, even when nothing new was written; its landing is told once.
TEST(MainWindow, ASaveThatFailedIsTriedAgainAtTheLifeClockAndAtClosing) {
    const struct {
        const char* what;
        std::function<void(Shell&, Form1&)> retry;
    } cases[] = {
        {"life clock", [](Shell& s, Form1& w) { fire(s, w, "Timer2"); }},
        {"closing", [](Shell&, Form1& w) { w.close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Shell shell;
        shell.store.holds(babyAtRest(shell));
        Form1 w(shell.services());
        shell.store.refusal = "No space left on device";
        choose(w, "Lait");
        fire(shell, w, "Timer1", 11);  // the milk's end writes: its save fails
        EXPECT_EQ(shell.store.onDisk("stats/faim"), "0");
        choose(w, "Stats");  // writes nothing: no new try
        const int tries = shell.store.tries;
        EXPECT_EQ(shell.told, QStringList{"failing: No space left on device"});

        shell.store.refusal.clear();
        shell.store.memory.clearLog();
        c.retry(shell, w);
        EXPECT_TRUE(shell.store.memory.log.empty());  // the retry itself wrote nothing new
        EXPECT_EQ(shell.store.tries, tries + 1);
        EXPECT_EQ(shell.store.onDisk("stats/faim"), "-100");
        EXPECT_FALSE(shell.store.unsaved());
        EXPECT_EQ(shell.told, QStringList({"failing: No space left on device", "saved again"}));
    }
}

TEST(MainWindow, EachMenuEntryReachesItsOwnHandler) {
    const struct {
        const char* action;
        const char* stade;        // the pet afterwards
        const char* storedStade;  // on disk afterwards
        std::vector<test::WindowRecorder::Shown> shown;
    } cases[] = {
        {"Lait", "nourrissonmilk", "nourrisson", {}},
        {"viande", "nourrissonviande", "nourrisson", {}},
        {"Laver", "nourrissonbain", "nourrisson", {}},
        {"Veterinaire",
         "nourrisson",
         "nourrisson",
         {{Window::Vet, "Ce nourrisson m'a l'air en parfaite santé. Occupez vous bien de lui !"}}},
        {kReset, "nourrisson", "", {}},
        {"Stats", "nourrisson", "nourrisson", {{Window::Stats, "Stade :nourrisson Faim : 0\r\n Cacafait: Oui caca:2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Shell shell;
        shell.store.holds(babyAtRest(shell, 0, 2));
        Form1 w(shell.services());
        choose(w, c.action);
        EXPECT_EQ(w.pet().stade, c.stade);
        EXPECT_EQ(shell.store.onDisk("stade/stade"), c.storedStade);
        EXPECT_EQ(shell.windows.shown, c.shown);
    }
}

QImage picture(std::string_view asset) {
    return QImageReader(platform::assetFile(asset)).read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(MainWindow, EachSlotShowsWhatTheGameSendsToItAndTheLifeClockRunsOnItsTimer) {
    Shell first;
    Form1 egg(first.services());
    EXPECT_EQ(slot(egg, "Image1")->picture(), picture("\\datas\\fond.bmp"));
    EXPECT_TRUE(slot(egg, "Image2")->picture().isNull());
    bool sky = false;
    for (const char* s :
         {"\\datas\\cielnuit.gif", "\\datas\\cielaube.gif", "\\datas\\ciel.gif", "\\datas\\cielsoir.gif"})
        sky = sky || slot(egg, "Image3")->picture() == picture(s);
    EXPECT_TRUE(sky);
    EXPECT_TRUE(slot(egg, "Image4")->picture().isNull());
    fire(first, egg, "Timer1");
    EXPECT_EQ(slot(egg, "Image2")->picture(), picture("\\datas\\gribo\\oeufbleuF1.gif"));

    Shell again;
    again.store.holds(babyAtRest(again, 0, 3));
    Form1 baby(again.services());
    fire(again, baby, "Timer2");
    EXPECT_EQ(slot(baby, "Image4")->picture(), picture("\\datas\\gribo\\crotte3.gif"));
}

// A screen reader hears the scene as one picture that says what the player sees: the
// droppings the floor shows (none until the life clock draws them, none from the
// moment the bath blanks them) rather than the count the pet holds.
TEST(MainWindow, ScreenReadersHearTheSceneAsOnePictureOfWhatIsShown) {
    Shell shell;
    shell.store.holds(babyAtRest(shell, 0, 3));
    SecondaryWindows windows;
    Form1 w(shell.services(windows));
    QAccessibleInterface* scene = QAccessible::queryAccessibleInterface(w.centralWidget());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->role(), QAccessible::Graphic);
    EXPECT_EQ(scene->childCount(), 0);
    const auto heard = [scene] {
        return scene->text(QAccessible::Name) + " / " + scene->text(QAccessible::Description);
    };
    EXPECT_TRUE(heard().startsWith("Gribo se promène / Par la")) << heard().toStdString();
    fire(shell, w, "Timer2");
    EXPECT_TRUE(heard().startsWith("Gribo se promène, avec 3 crottes par terre / Par la")) << heard().toStdString();
    choose(w, "Laver");
    fire(shell, w, "Timer1", 49);
    EXPECT_TRUE(heard().startsWith("Gribo prend son bain / 3 crottes par terre.")) << heard().toStdString();
    fire(shell, w, "Timer1");
    EXPECT_TRUE(heard().startsWith("Gribo prend son bain / Par la")) << heard().toStdString();

    const std::pair<Window, QAccessible::Role> roles[] = {{Window::Stats, QAccessible::Dialog},
                                                          {Window::DeathNotice, QAccessible::AlertMessage},
                                                          {Window::Vet, QAccessible::Dialog}};
    for (const auto& [which, role] : roles) {
        windows.show(which, "Un texte de trois mots");
        EXPECT_EQ(QAccessible::queryAccessibleInterface(windows.window(which))->role(), role);
        // The text is the window's own, labelled by nothing (not even the vet's frame):
        // a screen reader reads it as the window opens.
        QAccessibleInterface* text =
            QAccessible::queryAccessibleInterface(windows.window(which)->findChild<QLabel*>("Label1"));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(QAccessible::Name), "Un texte de trois mots") << static_cast<int>(which);
        EXPECT_TRUE(text->relations().isEmpty()) << static_cast<int>(which);
        windows.window(which)->close();
    }
}

TEST(MainWindow, ClosingItStopsItsTimersAndLeavesOtherWindowsOpen) {
    Shell shell;
    SecondaryWindows windows;
    auto* w = new Form1(shell.services(windows));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    w->findChild<QAction*>("Stats")->trigger();
    QPointer<QWidget> stats = windows.window(Window::Stats);
    QPointer<QTimer> timer = w->findChild<QTimer*>("Timer1");
    ASSERT_FALSE(timer.isNull());
    w->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(timer.isNull());
    ASSERT_FALSE(stats.isNull());
    EXPECT_TRUE(stats->isVisible());
    stats->close();
}

}  // namespace
}  // namespace gribo::windows
