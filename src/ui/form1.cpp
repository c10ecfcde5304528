#include "ui/form1.h"

#include <QMenuBar>

#include "assets/catalogue.h"
#include "care/commands.h"
#include "life/life_clock.h"
#include "state/startup.h"
#include "ui/store_notice.h"

namespace gribo::ui {
namespace {

// The scene below the menu bar, in picture pixels (logical pixels at scale 1). The
// window's outer size in the layout (118 x 144 with its border, caption and menu bar)
// is this client area; the window system adds its own frame and Qt the menu bar above
// it.
constexpr int kSceneWidth = 110;
constexpr int kSceneHeight = 95;

// A deep plum wall colour that frames the room.
const QColor kFrameColour(74, 48, 66);

}  // namespace

Form1::Form1() {
    setObjectName("Form1");
    setWindowTitle("Gribo");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    buildScene();
    buildMenus();

    pictures_ = std::make_unique<SlotPictures>(std::array<PictureSlot*, 4>{Image1, Image2, Image3, Image4});
    sound_ = makeCrySound(assetFile(asset::kPleureWav));
    session_ = std::make_unique<GameSession>(clock_, random_, *pictures_, windows_, *sound_);
    session_->onStoreFailure(showStoreFailure);
    narrator_ = std::make_unique<SceneNarrator>(*centralWidget(), *pictures_, clock_);
    session_->afterEachHandler([this](const Game& game) { narrator_->follow(game.pet); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    // Single-shot from here on: armed for each step of the animation.
    scheduler_ = std::make_unique<TickScheduler>(*Timer1, *session_);
    Timer2 = new QTimer(this);
    Timer2->setObjectName("Timer2");
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);

    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildScene() {
    auto* scene = new Scene(this, {kSceneWidth, kSceneHeight});
    scene->setObjectName("scene");
    scene->setAutoFillBackground(true);
    QPalette pal = scene->palette();
    pal.setColor(QPalette::Window, kFrameColour);
    scene->setPalette(pal);
    setCentralWidget(scene);

    // Created back to front, so each lies in front of the one before.
    auto make = [scene](const char* name, int x, int y, int w, int h) {
        auto* slot = new PictureSlot(scene);
        slot->setObjectName(name);
        slot->setGeometry(x, y, w, h);
        return slot;
    };
    Image1 = make("Image1", 16, 8, 105, 121);
    Image2 = make("Image2", 16, 8, 105, 121);
    Image3 = make("Image3", 16, 8, 80, 80);
    Image4 = make("Image4", 8, 8, 113, 97);
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
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
    entry(gribo,
          "\xc2\xa7"
          "DEV\xc2\xa7"
          "RESET",
          "\xc2\xa7"
          "DEV\xc2\xa7"
          "RESET",
          &Form1::ReinitialiserPartie);
    QAction* stats = bar->addAction("Stats");
    stats->setObjectName("Stats");
    connect(stats, &QAction::triggered, this, &Form1::Stats_Click);
}

void Form1::Form_Load() {
    Timer2->start(20000);
    scheduler_->run(startUp);
    setFixedSize(sizeHint());
}

void Form1::Timer1_Timer() { scheduler_->step(); }

void Form1::Timer2_Timer() { scheduler_->run(lifeClockTick); }

void Form1::Lait_Click() { scheduler_->run(lait); }

void Form1::viande_Click() { scheduler_->run(viande); }

void Form1::Laver_Click() { scheduler_->run(laver); }

void Form1::Veterinaire_Click() { scheduler_->run(veterinaire); }

void Form1::ReinitialiserPartie() { scheduler_->run(reinitialiserPartie); }

void Form1::Stats_Click() { scheduler_->run(stats); }

}  // namespace gribo::ui
