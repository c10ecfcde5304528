#pragma once

// The three small windows that show a text: statistics (Form2), death notice (Form3)
// and the vet (Form4). Positions and sizes are the logical pixels of their layout;
// nothing moves when a window is resized.

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "state/ports.h"

namespace gribo::windows {

// Shows a window of the game, or brings it up again. While the player is in the game
// it comes forward and takes the keyboard. While another application has it (a notice
// shown again by the life clock), the window comes up above the game's own without
// taking it, and its task-bar entry asks for attention instead.
void comeUp(QWidget* window);

// A label that shows its text from its top-left corner, wraps it at words and cuts
// it off at its bottom edge. "\r\n" starts a new line.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& text, QWidget* parent, const QRect& box);
    void setGameText(std::string_view text);
};

class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2();
    TextLabel* Label1;
};

class Form3 : public QWidget {
    Q_OBJECT
public:
    Form3();
    QPushButton* Command1;
    TextLabel* Label1;
    void Command1_Click();

protected:
    void showEvent(QShowEvent* event) override;
};

// The vet's picture: shown unscaled from its top-left corner, never resized to it.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const QRect& box, const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

class Form4 : public QWidget {
    Q_OBJECT
public:
    Form4();
    QGroupBox* Frame1;
    TextLabel* Label1;
    PictureBox* Picture1;
    QPushButton* Command1;
    void Command1_Click();
};

// Opens each window modeless, one instance each: an open window is brought forward
// and gets the new text; a closed one is made afresh from its layout. The windows
// are independent of the main window, so closing it leaves them open.
class SecondaryWindows : public Windows {
public:
    void show(Window window, std::string_view text) override;
    QWidget* window(Window w) const;

private:
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form4> form4_;
};

// The death notice waits while the player is in the menus (it would take the keyboard
// from them) and comes up, with the last text it was given, once they close. Every
// other window comes up at once: the statistics and the vet are opened by the menus
// themselves, once they have closed.
class NoticeAfterMenus : public Windows {
public:
    explicit NoticeAfterMenus(Windows& windows) : windows_(windows) {}
    // `inMenus` tells whether the player is in the menus now; none: never.
    void waitWhile(std::function<bool()> inMenus) { inMenus_ = std::move(inMenus); }
    void show(Window window, std::string_view text) override;
    // The menus are closed: a notice that waited comes up.
    void menusClosed();

private:
    Windows& windows_;
    std::function<bool()> inMenus_;
    std::optional<std::string> waiting_;
};

// The windows the game runs on, counted as the game shows them: the scene's narrator
// hears of each death notice through it, whichever windows the game is given.
class CountedWindows : public Windows {
public:
    explicit CountedWindows(Windows& windows) : windows_(windows) {}
    void show(Window window, std::string_view text) override {
        ++shown_[static_cast<std::size_t>(window)];
        lastText_[static_cast<std::size_t>(window)] = text;
        windows_.show(window, text);
    }
    // How many times `w` has been shown, counting each showing again.
    int timesShown(Window w) const { return shown_[static_cast<std::size_t>(w)]; }
    // The text `w` was last shown with.
    const std::string& lastText(Window w) const { return lastText_[static_cast<std::size_t>(w)]; }

private:
    Windows& windows_;
    std::array<int, 3> shown_{};
    std::array<std::string, 3> lastText_{};
};

}  // namespace gribo::windows
