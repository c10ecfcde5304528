#pragma once

// The reminder service: while the game is closed, the pet is foreseen from its store
// and the player told, through the desktop's notifications, at the hour each need
// begins (see foresight/plan.h and teller.h). It sleeps on one timer for the next hour
// that matters and on the store's file; while the game runs (its name is on the
// session bus) it says nothing, withdraws what it showed and watches nothing else.
// It reads the store and never writes it.

#include <QObject>
#include <QString>
#include <optional>

#include "foresight/stored_pet.h"
#include "platform/desktop_notifications.h"
#include "reminders/teller.h"
#include "reminders/wake_timer.h"
#include "state/ports.h"

class QFileSystemWatcher;
class QDBusServiceWatcher;

namespace gribo::reminders {

class ReminderService : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString storeFile;
        // Started by the game as its main window closed: the player has just seen
        // what the pet shows now.
        bool afterGame = false;
    };

    ReminderService(Options options, platform::DesktopNotifications& notifications, Clock& clock);
    ~ReminderService() override;

    // Starts looking after the pet. Returns the exit status when the service has
    // nothing to do (0: no pet, turned off, another service runs) or cannot work (1:
    // the store cannot be read, no session bus), having said why in one line.
    std::optional<int> start();

Q_SIGNALS:
    // The service has ended its work: the program exits with `status`.
    void finished(int status);

private Q_SLOTS:
    void busGone();

private:
    // Reads the store and tells what is due. `seenInGame`: the game has just closed.
    void look(bool seenInGame = false);
    void gameStarted();
    void gameClosed();
    void storeTouched();
    void watchStore(bool on);
    void act(const QString& key);
    void end(int status);

    Options options_;
    platform::DesktopNotifications& notifications_;
    Clock& clock_;
    Teller teller_;
    WakeTimer timer_;
    QFileSystemWatcher* files_ = nullptr;
    QDBusServiceWatcher* game_ = nullptr;
    bool gameRunning_ = false;
    bool ended_ = false;
    std::optional<foresight::StoredPet> lastSeen_;
};

}  // namespace gribo::reminders
