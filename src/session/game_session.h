#pragma once

// The game as the shell runs it: the pet, its store and the ports. The game is reached
// only through run(), which has the store look at its file before the handler first
// uses it and saves whatever the handler wrote before it returns, so no handler of the
// shell has to remember either. A save that fails, or a file that can no longer be
// read, is tried again with the next change, at each life-clock tick and when the main
// window closes; the player is told once when saving stops working, and once when it
// works again.

#include <QString>
#include <functional>
#include <utility>

#include "state/game.h"
#include "store/synced_store.h"

namespace gribo::session {

class GameSession {
public:
    GameSession(store::SyncedStore& store, Clock& clock, Random& random, PictureSlots& pictures, Windows& windows,
                Sound& sound)
        : store_(store), platform_{clock, random, store, pictures, windows, sound}, game_(platform_) {}
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // Runs one handler of the game, then writes what it changed to disk.
    template <typename Handler>
    void run(Handler&& handler) {
        store_.lookBeforeNextUse();
        std::forward<Handler>(handler)(game_);
        if (store_.changedSinceLastTry()) {
            save();
        } else {
            settle();
        }
        if (after_) after_(game_);
    }

    // Tries again to save what has not reached the disk yet.
    void saveUnsaved() {
        if (store_.unsaved()) {
            save();
        } else {
            settle();
        }
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
    // Whether the player was told that the pet cannot be saved, and not yet that it is.
    bool saveFailing() const { return failing_; }

private:
    void save() {
        const store::SyncedStore::Saved saved = store_.save();
        tell(saved.done ? QString() : saved.reason);
    }
    // After a handler that left nothing to save: a file that can no longer be read is
    // as bad as a failing disk, and one that can again is as good as a save.
    void settle() {
        const QString unreadable = store_.unreadable();
        if (!unreadable.isEmpty()) {
            tell(unreadable);
        } else if (!store_.unsaved()) {
            tell({});
        }
    }
    // `trouble`: why the pet cannot be saved; empty when it is.
    void tell(const QString& trouble) {
        const bool failing = !trouble.isEmpty();
        if (failing == failing_) return;  // nothing new to tell
        failing_ = failing;
        if (failing_ && notices_.failing) notices_.failing(store_.fileName(), trouble);
        if (!failing_ && notices_.savedAgain) notices_.savedAgain(store_.fileName());
    }

    store::SyncedStore& store_;
    Platform platform_;
    Game game_;
    std::function<void(const Game&)> after_;
    StoreNotices notices_;
    bool failing_ = false;
};

}  // namespace gribo::session
