#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWindow>
#include <initializer_list>
#include <string>
#include <string_view>

#include "state/messages.h"
#include "windows/secondary_windows.h"

namespace gribo::windows {
namespace {

template <typename Form>
Form* shown(SecondaryWindows& w, Window which, std::string_view text) {
    w.show(which, text);
    auto* form = qobject_cast<Form*>(w.window(which));
    EXPECT_NE(form, nullptr);
    return form;
}

TEST(SecondaryWindows, EachHasItsCaptionSizeAndLabelBox) {
    SecondaryWindows w;
    auto* f2 = shown<Form2>(w, Window::Stats, "a");
    auto* f3 = shown<Form3>(w, Window::DeathNotice, "b");
    auto* f4 = shown<Form4>(w, Window::Vet, "c");
    ASSERT_TRUE(f2 && f3 && f4);

    EXPECT_EQ(f2->windowTitle(), "Form2");
    EXPECT_EQ(f2->size(), QSize(268, 240));
    EXPECT_EQ(f2->Label1->geometry(), QRect(16, 16, 241, 209));
    EXPECT_NE(f2->minimumSize(), f2->maximumSize());  // sizable

    EXPECT_EQ(f3->windowTitle(), "Form3");
    EXPECT_EQ(f3->size(), QSize(427, 251));
    EXPECT_EQ(f3->Command1->text(), "Reset");
    EXPECT_EQ(f3->Command1->geometry(), QRect(136, 208, 161, 33));
    EXPECT_EQ(f3->Label1->geometry(), QRect(16, 16, 393, 185));

    EXPECT_EQ(f4->windowTitle(), "Form4");
    EXPECT_EQ(f4->size(), QSize(399, 233));
    EXPECT_EQ(f4->minimumSize(), f4->maximumSize());  // fixed
    EXPECT_FALSE(f4->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(f4->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(f4->Frame1->title(), "Veterinaire :");
    EXPECT_EQ(f4->Frame1->geometry(), QRect(8, 8, 385, 185));
    EXPECT_EQ(f4->Label1->parentWidget(), f4->Frame1);
    EXPECT_EQ(f4->Label1->geometry(), QRect(8, 32, 361, 137));
    EXPECT_EQ(f4->Picture1->geometry(), QRect(352, 8, 25, 25));
    EXPECT_EQ(f4->Command1->text(), "OK");
    EXPECT_EQ(f4->Command1->geometry(), QRect(160, 200, 81, 25));
    EXPECT_EQ(f4->Picture1->nextInFocusChain(), f4->Command1);
    for (QWidget* f : {static_cast<QWidget*>(f2), static_cast<QWidget*>(f3), static_cast<QWidget*>(f4)}) {
        EXPECT_FALSE(f->isModal());
        f->close();
    }
}

TEST(SecondaryWindows, ReshowingReusesTheWindowAndReplacesItsText) {
    SecondaryWindows w;
    auto* first = shown<Form2>(w, Window::Stats, "Stade :Oeuf1 Faim : 0\r\n Cacafait: Oui caca:0");
    EXPECT_EQ(first->Label1->text(), "Stade :Oeuf1 Faim : 0\n Cacafait: Oui caca:0");
    auto* second = shown<Form2>(w, Window::Stats, "Stade :Oeuf1 Faim : 0\r\n Cacafait: Oui caca:1");
    EXPECT_EQ(first, second);
    EXPECT_TRUE(second->Label1->text().endsWith("caca:1"));
    second->close();
}

TEST(SecondaryWindows, ButtonsCloseTheirWindowAndTheNextShowingStartsFromTheLayout) {
    SecondaryWindows w;
    QPointer<Form3> f3 = shown<Form3>(w, Window::DeathNotice, message::kStarvation);
    EXPECT_TRUE(f3->Label1->wordWrap());
    EXPECT_GT(f3->Label1->heightForWidth(393), f3->fontMetrics().height());  // the long notice wraps
    f3->Command1->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f3.isNull());

    QPointer<Form4> f4 = shown<Form4>(w, Window::Vet, message::kVetHealthy);
    f4->Label1->setGeometry(0, 0, 10, 10);  // disturbed layout
    f4->Command1->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f4.isNull());
    Form4* again = shown<Form4>(w, Window::Vet, message::kVetOeuf1);
    EXPECT_EQ(again->Label1->geometry(), QRect(8, 32, 361, 137));
    EXPECT_TRUE(again->Label1->text().startsWith("\nAucune"));
    again->close();
}

TEST(SecondaryWindows, EnterAndEscapePressNoButton) {
    SecondaryWindows w;
    QPointer<Form3> f3 = shown<Form3>(w, Window::DeathNotice, message::kEggDeath);
    QPointer<Form4> f4 = shown<Form4>(w, Window::Vet, message::kVetHealthy);
    for (QWidget* target : {static_cast<QWidget*>(f3->Command1), static_cast<QWidget*>(f4->Command1),
                            static_cast<QWidget*>(f4->Picture1)}) {
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(f3.isNull());
    ASSERT_FALSE(f4.isNull());
    EXPECT_TRUE(f3->isVisible());
    EXPECT_TRUE(f4->isVisible());
    EXPECT_FALSE(f3->Command1->autoDefault() || f3->Command1->isDefault());
    f3->close();
    f4->close();
}

// A starving pet's notice comes back at every tick of the life clock; while the player
// types in another application it must not take the keyboard from it.
TEST(SecondaryWindows, AWindowComingBackTakesTheKeyboardOnlyWhileTheGameHasIt) {
    for (Window which : {Window::DeathNotice, Window::Vet, Window::Stats}) {
        SCOPED_TRACE(static_cast<int>(which));
        SecondaryWindows w;
        w.show(which, message::kStarvation);
        QWidget* shown = w.window(which);
        QWidget game;  // the main window
        game.show();
        QApplication::processEvents();

        QWindow otherApplication;  // a window of no widget: another application
        otherApplication.show();
        otherApplication.requestActivate();  // it has the keyboard
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), nullptr);
        w.show(which, message::kStarvation);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), nullptr);

        game.activateWindow();  // the player is back in the game
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), &game);
        w.show(which, message::kStarvation);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), shown);
        shown->close();
    }
}

TEST(SecondaryWindows, ResizingMovesNothingInside) {
    SecondaryWindows w;
    auto* f3 = shown<Form3>(w, Window::DeathNotice, message::kEggDeath);
    f3->resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(f3->Command1->geometry(), QRect(136, 208, 161, 33));
    EXPECT_EQ(f3->Label1->geometry(), QRect(16, 16, 393, 185));
    f3->close();
}

}  // namespace
}  // namespace gribo::windows
