#pragma once

// One game per player and store. The first start takes a lock in the session's runtime
// folder, named after the store, and listens on a local (Unix) socket beside it; a second
// start finds the lock held, asks the running game to come forward and leaves without
// touching the store. A game killed outright leaves a stale lock, which the next start
// recognises (the process named in it is gone) and takes over.

#include <QLockFile>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>
#include <vector>

namespace gribo::platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `storeFile` is the store the game would play on: one game per store.
    explicit SingleInstance(const QString& storeFile);
    ~SingleInstance() override;

    // True when this process is the game for its store (or when no lock can be taken
    // at all: then nothing keeps two games apart, and the game still plays).
    bool primary() const { return primary_; }

    // From a second start: asks the running game to come forward. True when it said it
    // did, within `timeoutMs`.
    bool bringPrimaryForward(int timeoutMs);

    // The game's main window is gone: the next start may play.
    void release();

Q_SIGNALS:
    // A second start asked the game to come forward.
    void comeForward();

private:
    struct Peer;
    bool listen();
    void answer();
    void hear(Peer* peer);

    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> incoming_;
    std::vector<std::unique_ptr<Peer>> peers_;
    bool primary_ = false;
};

}  // namespace gribo::platform
