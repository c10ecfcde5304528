#include "platform/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariant>
#include <QVariantMap>

namespace gribo::platform {
namespace {

const QString kServer = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = kServer;
// The urgency levels of the desktop's notifications: normal, critical.
constexpr uchar kNormal = 1;
constexpr uchar kCritical = 2;
// A notice stays until the player sees to it: the pet's need does not expire.
constexpr int kNeverExpires = 0;
constexpr int kAnswerWithinMs = 25000;

QDBusMessage call(const QString& method) { return QDBusMessage::createMethodCall(kServer, kPath, kInterface, method); }

}  // namespace

DesktopNotifications::DesktopNotifications(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(uint, QString)));
    bus.connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this, SLOT(onClosed(uint, uint)));
    watcher_ = new QDBusServiceWatcher(kServer, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this, &DesktopNotifications::serverAppeared);
}

DesktopNotifications::~DesktopNotifications() = default;

void DesktopNotifications::show(const Notice& notice) {
    withdrawWhenAnswered_ = false;
    if (sending_) {
        waiting_ = notice;
        hasWaiting_ = true;
        return;
    }
    send(notice);
}

void DesktopNotifications::send(const Notice& notice) {
    QDBusMessage m = call(QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral(GRIBO_APP_ID));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(notice.critical ? kCritical : kNormal));
    m << QStringLiteral("Gribo") << id_ << QStringLiteral(GRIBO_APP_ID) << notice.title << notice.body << notice.actions
      << hints << kNeverExpires;
    sending_ = true;
    auto* pending = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(m, kAnswerWithinMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, &DesktopNotifications::answered);
}

void DesktopNotifications::answered(QDBusPendingCallWatcher* pending) {
    pending->deleteLater();
    sending_ = false;
    const QDBusPendingReply<uint> reply = *pending;
    const bool taken = !reply.isError();
    if (taken) id_ = reply.value();
    if (withdrawWhenAnswered_) {
        withdrawWhenAnswered_ = false;
        withdraw();
        return;
    }
    if (hasWaiting_) {
        hasWaiting_ = false;
        send(waiting_);
        return;
    }
    Q_EMIT delivered(taken);
}

void DesktopNotifications::withdraw() {
    hasWaiting_ = false;
    if (sending_) {
        withdrawWhenAnswered_ = true;
        return;
    }
    if (id_ == 0) return;
    QDBusMessage m = call(QStringLiteral("CloseNotification"));
    m << id_;
    id_ = 0;
    QDBusConnection::sessionBus().asyncCall(m);
}

void DesktopNotifications::onActionInvoked(uint id, const QString& key) {
    if (id != 0 && id == id_) Q_EMIT actionInvoked(key);
}

void DesktopNotifications::onClosed(uint id, uint) {
    if (id == 0 || id != id_) return;
    id_ = 0;
    Q_EMIT dismissed();
}

}  // namespace gribo::platform
