#pragma once

// The game as the shell runs it: the pet, its store and the ports. The game is reached
// only through run(), which makes whatever the handler wrote durable before it
// returns, so no handler of the shell has to remember to save.

#include <functional>
#include <utility>

#include "state/game.h"
#include "ui/settings_store.h"

namespace gribo::ui {

class GameSession {
public:
    GameSession(Clock& clock, Random& random, PictureSlots& pictures, Windows& windows, Sound& sound)
        : platform_{clock, random, store_, pictures, windows, sound}, game_(platform_) {}
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Runs one handler of the game, then writes what it changed to disk.
    template <typename Handler>
    void run(Handler&& handler) {
        std::forward<Handler>(handler)(game_);
        store_.flush();
        if (after_) after_(game_);
    }

    // Called after every handler, once what it wrote is saved: the shell's own views
    // of the game catch up there.
    void afterEachHandler(std::function<void(const Game&)> after) { after_ = std::move(after); }

    const PetState& pet() const { return game_.pet; }
    QString storeFile() const { return store_.fileName(); }
    // Who tells the player when the store cannot be saved.
    void onStoreFailure(QtSettingsStore::FailureHandler handler) { store_.onFailure(std::move(handler)); }

private:
    QtSettingsStore store_;
    Platform platform_;
    Game game_;
    std::function<void(const Game&)> after_;
};

}  // namespace gribo::ui
