#include "platform/companions.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <initializer_list>

namespace gribo::platform {
namespace {

QString firstProgram(std::initializer_list<const char*> candidates) {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const char* candidate : candidates) {
        const QFileInfo file(QDir::cleanPath(here.filePath(QString::fromUtf8(candidate))));
        if (file.isFile() && file.isExecutable()) return file.absoluteFilePath();
    }
    return {};
}

}  // namespace

QString gameBusName() { return QStringLiteral(GRIBO_APP_ID); }
QString remindersBusName() { return QStringLiteral(GRIBO_APP_ID ".Reminders"); }

// The installed places are relative to the service's private folder: the install
// rules' bin/, and games/, where the Debian package moves the game.
QString gameProgram() { return firstProgram({"gribo", GRIBO_GAME_FROM_REMINDERS, "../../games/gribo"}); }

QString remindersProgram() { return firstProgram({"gribo-reminders", GRIBO_REMINDERS_FROM_GAME}); }

void announceGame() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) bus.registerService(gameBusName());
}

void withdrawGame() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) bus.unregisterService(gameBusName());
}

void startRemindersUnlessRunning() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    const QString program = remindersProgram();
    if (program.isEmpty()) return;
    const QDBusReply<bool> running = bus.interface()->isServiceRegistered(remindersBusName());
    if (!running.isValid() || running.value()) return;
    QProcess::startDetached(program, {QStringLiteral("--after-game")});
}

}  // namespace gribo::platform
