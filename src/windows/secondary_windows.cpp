#include "windows/secondary_windows.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <string_view>

#include "windows/held_keys.h"

namespace gribo::windows {
namespace {

QPushButton* makeButton(const QString& caption, QWidget* parent, const QRect& box) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName("Command1");
    b->setGeometry(box);
    b->setAutoDefault(false);  // Enter and Escape press no button
    b->setDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    ignoreHeldKeys(b);
    return b;
}

template <typename Form>
Form* bringUp(QPointer<Form>& slot) {
    if (!slot) {
        slot = new Form();
        slot->setAttribute(Qt::WA_DeleteOnClose);  // closing discards it
    }
    comeUp(slot);
    return slot.data();
}

}  // namespace

void comeUp(QWidget* window) {
    const bool gameActive = QApplication::activeWindow() != nullptr;
    window->setAttribute(Qt::WA_ShowWithoutActivating, !gameActive);
    window->show();
    window->raise();
    if (gameActive) {
        window->activateWindow();
    } else {
        QApplication::alert(window);
    }
}

TextLabel::TextLabel(const QString& text, QWidget* parent, const QRect& box) : QLabel(text, parent) {
    setObjectName("Label1");
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setGeometry(box);
    setFocusPolicy(Qt::NoFocus);
}

void TextLabel::setGameText(std::string_view text) {
    QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    t.replace("\r\n", "\n");
    setText(t);
}

Form2::Form2() {
    setObjectName("Form2");
    setWindowTitle("Form2");
    resize(268, 240);
    Label1 = new TextLabel("Label1", this, {16, 16, 241, 209});
}

Form3::Form3() {
    setObjectName("Form3");
    setWindowTitle("Form3");
    resize(427, 251);
    Command1 = makeButton("Reset", this, {136, 208, 161, 33});
    Label1 = new TextLabel("Label1", this, {16, 16, 393, 185});
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    Command1->setFocus();
}

// Screen readers announce the notice each time it comes up.
void Form3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

// Despite its caption the button only closes the notice.
void Form3::Command1_Click() { close(); }

PictureBox::PictureBox(QWidget* parent, const QRect& box, const QImage& picture) : QWidget(parent), picture_(picture) {
    setObjectName("Picture1");
    setGeometry(box);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (!picture_.isNull()) painter.drawImage(0, 0, picture_);
}

Form4::Form4() {
    setObjectName("Form4");
    setWindowTitle("Form4");
    // Fixed border with no maximise or minimise button; the close box stays.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(399, 233);
    Frame1 = new QGroupBox("Veterinaire :", this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(8, 8, 385, 185);
    Label1 = new TextLabel("", Frame1, {8, 32, 361, 137});
    Picture1 = new PictureBox(Frame1, {352, 8, 25, 25}, QImage(":/gribo/picture1.gif"));
    Command1 = makeButton("OK", this, {160, 200, 81, 25});
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    setTabOrder(Picture1, Command1);
    Picture1->setFocus();
}

void Form4::Command1_Click() { close(); }

void SecondaryWindows::show(Window window, std::string_view text) {
    switch (window) {
        case Window::Stats:
            bringUp(form2_)->Label1->setGameText(text);
            break;
        case Window::DeathNotice:
            bringUp(form3_)->Label1->setGameText(text);
            break;
        case Window::Vet:
            bringUp(form4_)->Label1->setGameText(text);
            break;
    }
}

QWidget* SecondaryWindows::window(Window w) const {
    switch (w) {
        case Window::Stats:
            return form2_.data();
        case Window::DeathNotice:
            return form3_.data();
        case Window::Vet:
            return form4_.data();
    }
    return nullptr;
}

void NoticeAfterMenus::show(Window window, std::string_view text) {
    if (window == Window::DeathNotice && inMenus_ && inMenus_()) {
        waiting_.emplace(text);
        return;
    }
    windows_.show(window, text);
}

void NoticeAfterMenus::menusClosed() {
    if (!waiting_ || (inMenus_ && inMenus_())) return;
    const std::string text = std::move(*waiting_);
    waiting_.reset();
    windows_.show(Window::DeathNotice, text);
}

}  // namespace gribo::windows
