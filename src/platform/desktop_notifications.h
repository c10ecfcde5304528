#pragma once

// One notification of the desktop's, at a time, through its notification server
// (org.freedesktop.Notifications on the session bus): shown, replaced as the news
// changes, withdrawn. Filed under Gribo by its icon and the desktop-entry hint, so the
// desktop's own settings can silence it. Nothing here waits for the server: each call
// is answered later, by a signal.

#include <QObject>
#include <QString>
#include <QStringList>

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

namespace gribo::platform {

class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    struct Notice {
        QString title;
        QString body;
        bool critical = false;
        // Keys and labels, in pairs; the key "default" is what clicking the notice does.
        QStringList actions;
    };

    explicit DesktopNotifications(QObject* parent = nullptr);
    ~DesktopNotifications() override;

    // Shows `notice` in place of the one shown, if any. A notice asked for while the
    // server has not answered the last one replaces it before it is sent.
    void show(const Notice& notice);
    // Takes the notice away, if one is shown or on its way.
    void withdraw();
    // A notice is on the desktop (as far as the server said).
    bool showing() const { return id_ != 0; }

Q_SIGNALS:
    // The server took the last notice shown (true), or no server answered (false).
    void delivered(bool taken);
    // The player chose the action `key` of the notice shown.
    void actionInvoked(const QString& key);
    // The notice shown was closed by the player or the server.
    void dismissed();
    // A notification server has just taken its name on the bus.
    void serverAppeared();

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& key);
    void onClosed(uint id, uint reason);

private:
    void send(const Notice& notice);
    void answered(QDBusPendingCallWatcher* call);

    QDBusServiceWatcher* watcher_ = nullptr;
    uint id_ = 0;
    bool sending_ = false;
    bool withdrawWhenAnswered_ = false;
    bool hasWaiting_ = false;
    Notice waiting_;
};

}  // namespace gribo::platform
