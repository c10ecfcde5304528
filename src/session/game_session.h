#pragma once

// The game as the shell runs it: the pet, its store and the ports. The game is reached
// only through run(), which saves whatever the handler wrote before it returns, so no
// handler of the shell has to remember to save. A save that fails is tried again with
// the next change, at each life-clock tick and when the main window closes; the
// player is told once when saving stops working, and once when it works again.

#include <QString>
#include <functional>
#include <utility>

#include "state/game.h"
#include "store/settings_store.h"

namespace gribo::session {

class GameSession {
public:
    GameSession(store::SavedStore& store, Clock& clock, Random& random, PictureSlots& pictures, Windows& windows,
                Sound& sound)
        : store_(store), platform_{clock, random, store, pictures, windows, sound}, game_(platform_) {}
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Runs one handler of the game, then writes what it changed to disk.
    template <typename Handler>
    void run(Handler&& handler) {
        std::forward<Handler>(handler)(game_);
        if (store_.changedSinceLastTry()) save();
        if (after_) after_(game_);
    }

    // Tries again to save what has not reached the disk yet.
    void saveUnsaved() {
        if (store_.unsaved()) save();
    }

    // Called after every handler, once what it wrote is saved: the shell's own views
    // of the game catch up there.
    void afterEachHandler(std::function<void(const Game&)> after) { after_ = std::move(after); }

    const PetState& pet() const { return game_.pet; }

    // Who tells the player that the store cannot be saved (the file, the system's
    // reason), and that it is saved again.
    struct StoreNotices {
        std::function<void(const QString& file, const QString& reason)> failing;
        std::function<void(const QString& file)> savedAgain;
    };
    void onStoreNotices(StoreNotices notices) { notices_ = std::move(notices); }
    // Whether the last save failed.
    bool saveFailing() const { return failing_; }

private:
    void save() {
        const store::SavedStore::Saved saved = store_.save();
        if (saved.done == !failing_) return;  // nothing new to tell
        failing_ = !saved.done;
        if (failing_ && notices_.failing) notices_.failing(store_.fileName(), saved.reason);
        if (!failing_ && notices_.savedAgain) notices_.savedAgain(store_.fileName());
    }

    store::SavedStore& store_;
    Platform platform_;
    Game game_;
    std::function<void(const Game&)> after_;
    StoreNotices notices_;
    bool failing_ = false;
};

}  // namespace gribo::session
