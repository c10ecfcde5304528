#include "ui/form1.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
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
#include "rules/startup.h"
#include "support/fakes.h"
#include "support/store_file.h"

namespace gribo::ui {
namespace {

void clearStore() { QFile::remove(StoreFile::playerFile()); }

TEST(MainWindow, IsAFixedGriboWindowWithoutMaximiseOrMinimise) {
    clearStore();
    Form1 w;
    EXPECT_EQ(w.windowTitle(), "Gribo");
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
    const QWidget* scene = w.centralWidget();
    EXPECT_EQ(scene->size(), QSize(110, 95));
    // The animation timer is armed once for each step: here the new egg's first tick.
    EXPECT_TRUE(w.Timer1->isSingleShot());
    EXPECT_EQ(w.Timer1->timerType(), Qt::PreciseTimer);
    EXPECT_LE(w.Timer1->interval(), 10);
    EXPECT_EQ(w.Timer2->interval(), 20000);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_TRUE(w.Timer2->isActive());
}

TEST(MainWindow, SlotsAreStackedBackgroundToDroppingsAtTheirPlaces) {
    clearStore();
    Form1 w;
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
    clearStore();
    Form1 w;
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
    EXPECT_EQ(gribo[2]->text(), QString::fromUtf8("§DEV§"
                                                  "RESET"));
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

// The hour stamp of the real clock, which the window's game reads.
int32_t nowStamp() { return hourStamp(QtClock().now()); }

// A store left by an earlier run: `values` are "section/key" = text.
void storeHolds(const std::map<QString, QString>& values) {
    clearStore();
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo");
    for (const auto& [key, value] : values) s.setValue(key, value);
    s.sync();
}

std::map<QString, QString> babyAtRest(int faim = 0, int caca = 0, int hoursSinceFed = 0) {
    return {{"stade/stade", "nourrisson"},
            {"stats/faim", QString::number(faim)},
            {"stats/caca", QString::number(caca)},
            {"stats/cacafait", "Oui"},
            {"datestats/datenourrit", QString::number(nowStamp() - hoursSinceFed)}};
}

// Fires a timer as the event loop does when its interval has passed. Timer1 then plays
// the step it was armed for.
void fire(QTimer* timer, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QTimerEvent tick(timer->timerId());
        QCoreApplication::sendEvent(timer, &tick);
    }
}

void choose(Form1& w, const char* action) {
    QAction* a = w.findChild<QAction*>(QString::fromUtf8(action));
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
}

const char* const kReset =
    "§DEV§"
    "RESET";

TEST(MainWindow, WhatEachHandlerWritesIsInTheFileWhenItReturns) {
    const std::string now = std::to_string(nowStamp());
    const struct {
        const char* what;
        std::map<QString, QString> before;
        std::function<void(Form1&)> play;
        std::map<std::string, std::string> onDisk;
    } cases[] = {
        {"milk's end",
         babyAtRest(),
         [](Form1& w) { choose(w, "Lait"), fire(w.Timer1, 11); },  // its eleven steps
         {{"stats/faim", "-100"}, {"stats/cacafait", "Non"}, {"datestats/datenourrit", now}}},
        {"vet's cure",
         babyAtRest(-300),
         [](Form1& w) { fire(w.Timer2), choose(w, "Veterinaire"); },
         {{"stats/faim", "0"}, {"stats/cacafait", "Non"}, {"datestats/datenourrit", now}}},
        {"life clock",
         babyAtRest(100, 0, 2),
         [](Form1& w) { fire(w.Timer2); },
         {{"stats/faim", "300"}, {"datestats/datenourrit", now}}},
        {"developer reset",
         babyAtRest(0, 3),
         [](Form1& w) { choose(w, kReset); },
         {{"stade/stade", ""}, {"datestats/datenourrit", "0"}, {"datecreation/jour", ""}, {"stats/caca", "3"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        storeHolds(c.before);
        Form1 w;
        c.play(w);
        const auto disk = test::storeOnDisk(w.storeFile());
        for (const auto& [key, value] : c.onDisk) EXPECT_EQ(disk.count(key) ? disk.at(key) : "(absent)", value) << key;
    }
}

TEST(MainWindow, AFirstRunIsInTheFileBeforeTheWindowShowsAndAReloadWritesNothing) {
    clearStore();
    auto first = std::make_unique<Form1>();
    const QString file = first->storeFile();
    EXPECT_EQ(first->pet().stade, "Oeuf1");
    auto disk = test::storeOnDisk(file);  // read while the window lives
    first.reset();
    ASSERT_EQ(disk.size(), 10u);
    const auto number = [&disk](const char* key) { return std::stoi(disk[key]); };
    const LocalDateTime created{number("datecreation/année"), number("datecreation/mois"), number("datecreation/jour"),
                                number("datecreation/heure"), number("datecreation/min")};
    for (const auto& w : test::firstRunWrites(created)) EXPECT_EQ(disk[w.section + "/" + w.key], w.value) << w.key;
    EXPECT_LE(std::abs(hourStamp(created) - nowStamp()), 1);

    storeHolds(babyAtRest(-250));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    Form1 again;
    EXPECT_EQ(again.pet().stade, "nourrisson");
    EXPECT_EQ(again.pet().faim, -250);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST(MainWindow, EachMenuEntryReachesItsOwnHandler) {
    const struct {
        const char* action;
        const char* stade;        // the pet afterwards
        const char* storedStade;  // on disk afterwards
        std::optional<Window> window;
        QString text;
    } cases[] = {
        {"Lait", "nourrissonmilk", "nourrisson", {}, {}},
        {"viande", "nourrissonviande", "nourrisson", {}, {}},
        {"Laver", "nourrissonbain", "nourrisson", {}, {}},
        {"Veterinaire", "nourrisson", "nourrisson", Window::Vet,
         QString::fromUtf8("Ce nourrisson m'a l'air en parfaite santé. Occupez vous bien de lui !")},
        {kReset, "nourrisson", "", {}, {}},
        {"Stats", "nourrisson", "nourrisson", Window::Stats, "Stade :nourrisson Faim : 0\n Cacafait: Oui caca:2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        storeHolds(babyAtRest(0, 2));
        Form1 w;
        choose(w, c.action);
        EXPECT_EQ(w.pet().stade, c.stade);
        EXPECT_EQ(test::storeOnDisk(w.storeFile()).at("stade/stade"), c.storedStade);
        for (Window which : {Window::Stats, Window::DeathNotice, Window::Vet}) {
            QWidget* shown = w.windows().window(which);
            ASSERT_EQ(shown != nullptr, which == c.window) << static_cast<int>(which);
            if (!shown) continue;
            EXPECT_EQ(shown->findChild<QLabel*>("Label1")->text(), c.text);
            shown->close();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

QImage picture(std::string_view asset) {
    return QImageReader(assetFile(asset)).read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(MainWindow, EachSlotShowsWhatTheGameSendsToItAndTheLifeClockRunsOnItsTimer) {
    clearStore();
    Form1 egg;
    EXPECT_EQ(egg.Image1->picture(), picture("\\datas\\fond.bmp"));
    EXPECT_TRUE(egg.Image2->picture().isNull());
    bool sky = false;
    for (const char* s :
         {"\\datas\\cielnuit.gif", "\\datas\\cielaube.gif", "\\datas\\ciel.gif", "\\datas\\cielsoir.gif"})
        sky = sky || egg.Image3->picture() == picture(s);
    EXPECT_TRUE(sky);
    EXPECT_TRUE(egg.Image4->picture().isNull());
    fire(egg.Timer1);
    EXPECT_EQ(egg.Image2->picture(), picture("\\datas\\gribo\\oeufbleuF1.gif"));

    storeHolds(babyAtRest(0, 3));
    Form1 baby;
    fire(baby.Timer2);
    EXPECT_EQ(baby.Image4->picture(), picture("\\datas\\gribo\\crotte3.gif"));
}

// A screen reader hears the scene as one picture that says what the player sees: the
// droppings the floor shows (none until the life clock draws them, none from the
// moment the bath blanks them) rather than the count the pet holds.
TEST(MainWindow, ScreenReadersHearTheSceneAsOnePictureOfWhatIsShown) {
    storeHolds(babyAtRest(0, 3));
    Form1 w;
    QAccessibleInterface* scene = QAccessible::queryAccessibleInterface(w.centralWidget());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->role(), QAccessible::Graphic);
    EXPECT_EQ(scene->childCount(), 0);
    const auto heard = [scene] {
        return scene->text(QAccessible::Name) + " / " + scene->text(QAccessible::Description);
    };
    EXPECT_TRUE(heard().startsWith("Gribo se promène / Par la")) << heard().toStdString();
    fire(w.Timer2);
    EXPECT_TRUE(heard().startsWith("Gribo se promène, avec 3 crottes par terre / Par la"))
        << heard().toStdString();
    choose(w, "Laver");
    fire(w.Timer1, 49);
    EXPECT_TRUE(heard().startsWith("Gribo prend son bain / 3 crottes par terre.")) << heard().toStdString();
    fire(w.Timer1);
    EXPECT_TRUE(heard().startsWith("Gribo prend son bain / Par la")) << heard().toStdString();

    const std::pair<Window, QAccessible::Role> roles[] = {{Window::Stats, QAccessible::Dialog},
                                                          {Window::DeathNotice, QAccessible::AlertMessage},
                                                          {Window::Vet, QAccessible::Dialog}};
    for (const auto& [which, role] : roles) {
        w.windows().show(which, "");
        EXPECT_EQ(QAccessible::queryAccessibleInterface(w.windows().window(which))->role(), role);
        w.windows().window(which)->close();
    }
}

TEST(MainWindow, ClosingItStopsItsTimersAndLeavesOtherWindowsOpen) {
    clearStore();
    auto* w = new Form1();
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    w->findChild<QAction*>("Stats")->trigger();
    QPointer<QWidget> stats = w->windows().window(Window::Stats);
    QPointer<QTimer> timer = w->Timer1;
    w->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(timer.isNull());
    ASSERT_FALSE(stats.isNull());
    EXPECT_TRUE(stats->isVisible());
    stats->close();
}

TEST(TickScheduler, ArmsTheAnimationTimerOnceForEachStepOnTheMonotonicClock) {
    clearStore();
    test::Rig fakes;
    StoreFile store(StoreFile::playerFile());
    store.load();
    GameSession session(store, fakes.clock, fakes.random, fakes.pictures, fakes.windows, fakes.sound);
    QTimer timer;
    qint64 now = 0;
    TickScheduler scheduler(timer, session, [&now] { return now; });
    QObject::connect(&timer, &QTimer::timeout, [&scheduler] { scheduler.step(); });
    const auto cry = [](Game& g) { g.pet.stade = "nourrissonpleure", g.pet.compteur = 0; };
    const struct {
        qint64 now;
        std::function<void()> act;
        int compteur;
        int interval;  // -1: the timer sleeps until another handler runs
    } script[] = {
        {0, [&] { scheduler.run(startUp); }, 0, 10},  // a new egg, shown at its first tick
        {10, [&] { fire(&timer); }, 1, 790},
        {500, [&] { scheduler.run(stats); }, 50, 300},
        {5000, [&] { scheduler.run(cry); }, 0, 500},  // long after the egg's next step: it cries from now on
        {5500, [&] { fire(&timer); }, 50, 500},
        {3606000, [&] { fire(&timer); }, 0, 500},  // an hour late: one step, and on from there
        {3606200, [&] { scheduler.run([](Game& g) { g.pet.stade = "Adulte"; }); }, 20, -1},
        {3609000, [&] { scheduler.run(stats); }, 300, -1},
    };
    for (const auto& s : script) {
        now = s.now;
        s.act();
        EXPECT_EQ(session.pet().compteur, s.compteur) << s.now;
        EXPECT_EQ(timer.isActive() ? timer.interval() : -1, s.interval) << s.now;
    }
    QStringList frames;  // after the room and the sky
    for (const auto& load : fakes.pictures.loads) frames << QString::fromStdString(load.path).section('\\', -1);
    EXPECT_EQ(frames.mid(frames.size() - 3),
              QStringList({"oeufbleuF1.gif", "nourrissonpleureF1.gif", "nourrissonpleureF2.gif"}));
    EXPECT_EQ(fakes.sound.plays.size(), 1u);
}

}  // namespace
}  // namespace gribo::ui
