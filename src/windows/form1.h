#pragma once

// The main window: the scene of four stacked picture slots, the two timers and the
// menus. Each handler runs one operation of the game through the scheduler, which
// counts the animation's ticks up to now, saves what the handler wrote and arms
// Timer1 for the next step of the animation.
//
// The window builds only its own widgets and the adapter that shows pictures in its
// slots; every other service of the game (the store, the clock, the random source,
// the windows, the sound) is handed to it, by main() or by a test.

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "session/game_session.h"
#include "session/tick_scheduler.h"
#include "store/synced_store.h"
#include "windows/game_alerts.h"
#include "windows/menu_bar.h"
#include "windows/picture_slots.h"
#include "windows/scene_accessibility.h"
#include "windows/secondary_windows.h"

class QAction;
class QMenu;

namespace gribo::windows {

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // What the game runs on. Every service outlives the window.
    struct Services {
        store::SyncedStore& store;  // REQUIRES: loaded, readable
        Clock& clock;
        Random& random;
        Windows& windows;
        Sound& sound;
        // Who tells the player that the store cannot be saved, and that it is again.
        session::GameSession::StoreNotices storeNotices = {};
        // The animation's milliseconds; none: the scheduler's own monotonic clock.
        session::TickScheduler::MonotonicClock monotonic = {};
        // Where the game tells the player of the pet's news while none of its windows
        // is active; none: only the urgency hint.
        platform::DesktopNotifications* notifications = nullptr;
    };

    // Builds the window and starts the game on `services`: the start-up runs here.
    explicit Form1(const Services& services);
    ~Form1() override;

    const PetState& pet() const { return session_->pet(); }

    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Lait_Click();
    void viande_Click();
    void Laver_Click();
    void Veterinaire_Click();
    void ReinitialiserPartie();
    void Stats_Click();

protected:
    // What could not be saved yet is tried once more as the window closes.
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildScene();
    void buildMenus();
    // Widens the scene so that every entry of the menu bar shows at the bar's font,
    // and fixes the window to its contents.
    void fitMenuBar();

    // Slots, back to front: background, pet, sky, droppings.
    PictureSlot* Image1 = nullptr;
    PictureSlot* Image2 = nullptr;
    PictureSlot* Image3 = nullptr;
    PictureSlot* Image4 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    MenuBar* bar_ = nullptr;

    NoticeAfterMenus afterMenus_;
    CountedWindows windows_;
    std::unique_ptr<SlotPictures> pictures_;
    std::unique_ptr<session::GameSession> session_;
    std::unique_ptr<session::TickScheduler> scheduler_;
    std::unique_ptr<SceneNarrator> narrator_;
    GameAlerts* alerts_ = nullptr;
    bool deathLastTick_ = false;
    bool fitQueued_ = false;
};

}  // namespace gribo::windows
