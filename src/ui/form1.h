#pragma once

// The main window: the scene of four stacked picture slots, the two timers and the
// menus. Each handler runs one operation of the game through the scheduler, which
// counts the animation's ticks up to now, saves what the handler wrote and arms
// Timer1 for the next step of the animation.

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "ui/game_session.h"
#include "ui/picture_slots.h"
#include "ui/qt_ports.h"
#include "ui/scene_accessibility.h"
#include "ui/secondary_windows.h"
#include "ui/tick_scheduler.h"

class QAction;
class QMenu;

namespace gribo::ui {

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    // Slots, back to front: background, pet, sky, droppings.
    PictureSlot* Image1;
    PictureSlot* Image2;
    PictureSlot* Image3;
    PictureSlot* Image4;
    QTimer* Timer1;
    QTimer* Timer2;

    const PetState& pet() const { return session_->pet(); }
    SecondaryWindows& windows() { return windows_; }
    QString storeFile() const { return session_->storeFile(); }

    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Lait_Click();
    void viande_Click();
    void Laver_Click();
    void Veterinaire_Click();
    void ReinitialiserPartie();
    void Stats_Click();

private:
    void buildScene();
    void buildMenus();

    QtClock clock_;
    QtRandom random_;
    std::unique_ptr<SlotPictures> pictures_;
    SecondaryWindows windows_;
    std::unique_ptr<Sound> sound_;
    std::unique_ptr<GameSession> session_;
    std::unique_ptr<TickScheduler> scheduler_;
    std::unique_ptr<SceneNarrator> narrator_;
};

}  // namespace gribo::ui
