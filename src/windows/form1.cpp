#include "windows/form1.h"

#include <QEvent>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <array>
#include <memory>
#include <string>

#include "assets/scene_layout.h"
#include "care/commands.h"
#include "life/life_clock.h"
#include "rules/startup.h"

namespace gribo::windows {

Form1::Form1(const Services& services) : afterMenus_(services.windows), windows_(afterMenus_) {
    setObjectName("Form1");
    setWindowTitle("Gribo");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    buildScene();
    buildMenus();

    pictures_ = std::make_unique<SlotPictures>(std::array<PictureSlot*, 4>{Image1, Image2, Image3, Image4});
    session_ = std::make_unique<session::GameSession>(services.store, services.clock, services.random, *pictures_,
                                                      windows_, services.sound);
    session_->onStoreNotices(services.storeNotices);
    narrator_ = std::make_unique<SceneNarrator>(*centralWidget(), *pictures_, windows_);
    narrator_->leaveKeysWhile([this] { return bar_->inUse(); });
    session_->afterEachHandler([this](const Game& game) { narrator_->follow(game.pet); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    // Single-shot from here on: armed for each step of the animation.
    scheduler_ = std::make_unique<session::TickScheduler>(*Timer1, *session_, services.monotonic);
    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    alerts_ = new GameAlerts(*this, services.notifications);

    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildScene() {
    // The window's outer size in the layout (118 x 144 with its border, caption and
    // menu bar) is this scene; the window system adds its own frame and Qt the menu bar.
    auto* scene = new Scene(this, {scene::kWidth, scene::kHeight});
    scene->setObjectName("scene");
    scene->setAutoFillBackground(true);
    QPalette pal = scene->palette();
    pal.setColor(QPalette::Window, QColor(scene::kFrame.r, scene::kFrame.g, scene::kFrame.b));
    scene->setPalette(pal);
    setCentralWidget(scene);
    // The scene holds the keyboard, so a screen reader follows it and speaks its news.
    // It draws no focus frame over the room: the game has nothing else to focus.
    scene->setFocusPolicy(Qt::StrongFocus);
    scene->setFocus(Qt::OtherFocusReason);

    // Created back to front, so each lies in front of the one before.
    auto make = [scene](const char* name, int x, int y, int w, int h) {
        auto* slot = new PictureSlot(scene);
        slot->setObjectName(name);
        slot->setGeometry(x, y, w, h);
        return slot;
    };
    using scene::kDroppingsOrigin;
    using scene::kOrigin;
    Image1 = make("Image1", kOrigin.x, kOrigin.y, 105, 121);
    Image2 = make("Image2", kOrigin.x, kOrigin.y, 105, 121);
    Image3 = make("Image3", kOrigin.x, kOrigin.y, 80, 80);
    Image4 = make("Image4", kDroppingsOrigin.x, kDroppingsOrigin.y, 113, 97);
}

void Form1::buildMenus() {
    bar_ = new MenuBar(*centralWidget(), this);
    setMenuBar(bar_);
    MenuBar* bar = bar_;
    auto entry = [this](QMenu* menu, const char* caption, const char* name, void (Form1::*handler)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromUtf8(name));
        connect(a, &QAction::triggered, this, handler);
    };
    QMenu* gribo = bar->addMenu("gribo");
    gribo->setObjectName("Gribo");
    QMenu* objets = gribo->addMenu("Objets");
    objets->setObjectName("Objets");
    entry(objets, "Lait", "Lait", &Form1::Lait_Click);
    entry(objets, "Viande", "viande", &Form1::viande_Click);
    QMenu* soins = gribo->addMenu("Soins");
    soins->setObjectName("Soins");
    entry(soins, "Laver", "Laver", &Form1::Laver_Click);
    entry(soins, "Veterinaire", "Veterinaire", &Form1::Veterinaire_Click);
    entry(gribo, "§DEV§RESET", "§DEV§RESET", &Form1::ReinitialiserPartie);
    QAction* stats = bar->addAction("Stats");
    stats->setObjectName("Stats");
    connect(stats, &QAction::triggered, this, &Form1::Stats_Click);

    // F10 opens the first menu, as on GNOME and KDE; Alt still works through Qt. The
    // key belongs to the window, not to a menu entry.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName("F10");
    connect(f10, &QShortcut::activated, bar, &MenuBar::open);
    // The death notice that came while the player was in the menus comes up now.
    afterMenus_.waitWhile([bar] { return bar->inUse(); });
    connect(bar, &MenuBar::closed, this, [this] { afterMenus_.menusClosed(); });
}

void Form1::fitMenuBar() {
    fitQueued_ = false;
    // The bar's hint is the width of all its entries side by side; the window's own
    // hint leaves the bar out.
    static_cast<Scene*>(centralWidget())->widenTo(menuBar()->sizeHint().width());
    if (layout()) layout()->activate();
    setFixedSize(sizeHint());
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Back in the game (a window of its own closed, or the player came back to it):
    // the keyboard is the room's unless the menus hold it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !(bar_ && bar_->inUse())) {
        centralWidget()->setFocus(Qt::ActiveWindowFocusReason);
    }
    // A new desktop font reaches the menu bar after the window: measure it afterwards.
    if (event->type() == QEvent::FontChange && !fitQueued_) {
        fitQueued_ = true;
        QMetaObject::invokeMethod(this, &Form1::fitMenuBar, Qt::QueuedConnection);
    }
}

void Form1::Form_Load() {
    Timer2->start(kLifeClockMs);
    scheduler_->run(startUp);
    fitMenuBar();
}

void Form1::Timer1_Timer() { scheduler_->step(); }

void Form1::Timer2_Timer() {
    const std::string before = pet().stade;
    const int deaths = windows_.timesShown(Window::DeathNotice);
    scheduler_->run(lifeClockTick);
    session_->saveUnsaved();  // a save that failed is tried again at every tick
    const bool death = windows_.timesShown(Window::DeathNotice) != deaths;
    alerts_->tell(foresight::newsOfTick(before, pet().stade, death ? windows_.lastText(Window::DeathNotice) : "",
                                        deathLastTick_));
    deathLastTick_ = death;
}

void Form1::closeEvent(QCloseEvent* event) {
    session_->saveUnsaved();
    QMainWindow::closeEvent(event);
}

void Form1::Lait_Click() { scheduler_->run(lait); }

void Form1::viande_Click() { scheduler_->run(viande); }

void Form1::Laver_Click() { scheduler_->run(laver); }

void Form1::Veterinaire_Click() { scheduler_->run(veterinaire); }

void Form1::ReinitialiserPartie() { scheduler_->run(reinitialiserPartie); }

void Form1::Stats_Click() { scheduler_->run(stats); }

}  // namespace gribo::windows
