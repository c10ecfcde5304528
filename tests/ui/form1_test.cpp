#include "ui/form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QSettings>

namespace gribo::ui {
namespace {

void clearStore() {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo");
    s.clear();
    s.sync();
}

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
    EXPECT_EQ(w.Timer1->interval(), 10);
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
    EXPECT_EQ(gribo[2]->text(), QString::fromUtf8("\xc2\xa7"
                                                  "DEV\xc2\xa7"
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

TEST(MainWindow, FirstRunIsSavedBeforeTheWindowShowsAndReloadWritesNothing) {
    clearStore();
    {
        Form1 w;
        EXPECT_EQ(w.pet().stade, "Oeuf1");
    }
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo");
    EXPECT_EQ(s.value("stade/stade").toString(), "Oeuf1");
    EXPECT_EQ(s.value("stats/cacafait").toString(), "Oui");
    EXPECT_FALSE(s.value(QString::fromUtf8("datecreation/ann\xc3\xa9"
                                           "e"))
                     .toString()
                     .isEmpty());
    s.setValue("stade/stade", "nourrisson");
    s.setValue("stats/faim", "-250");
    s.sync();
    Form1 again;
    EXPECT_EQ(again.pet().stade, "nourrisson");
    EXPECT_EQ(again.pet().faim, -250);
}

TEST(MainWindow, MenuCommandsReachTheGame) {
    clearStore();
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo");
    s.setValue("stade/stade", "nourrisson");
    s.setValue("stats/faim", "0");
    s.setValue("stats/caca", "0");
    s.setValue("stats/cacafait", "Oui");
    s.sync();
    Form1 w;
    w.findChild<QAction*>("Lait")->trigger();
    EXPECT_EQ(w.pet().stade, "nourrissonmilk");
    QSettings after(QSettings::NativeFormat, QSettings::UserScope, "Gribo", "Gribo");
    EXPECT_EQ(after.value("stats/cacafait").toString(), "Non");  // on disk before the handler returned

    w.findChild<QAction*>("Stats")->trigger();
    QWidget* stats = w.windows().window(Window::Stats);
    ASSERT_NE(stats, nullptr);
    EXPECT_TRUE(stats->isVisible());
    stats->close();
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

}  // namespace
}  // namespace gribo::ui
