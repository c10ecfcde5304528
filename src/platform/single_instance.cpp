#include "platform/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>
#include <memory>

namespace gribo::platform {
namespace {

Q_LOGGING_CATEGORY(lcInstance, "gribo.instance", QtInfoMsg)

constexpr char kComeForward[] = "come forward\n";
constexpr char kDone[] = "done\n";

}  // namespace

SingleInstance::SingleInstance(const QString& storeFile) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QByteArray id = QCryptographicHash::hash(QDir::cleanPath(storeFile).toUtf8(), QCryptographicHash::Sha1);
    const QString base = QDir(runtime).filePath("gribo-" + QString::fromLatin1(id.toHex().left(16)));
    socketPath_ = base + ".socket";
    lock_ = std::make_unique<QLockFile>(base + ".lock");
    lock_->setStaleLockTime(0);  // stale only when its process is gone, however old
    if (!lock_->tryLock(0)) {
        primary_ = lock_->error() != QLockFile::LockFailedError;
        if (primary_) qCWarning(lcInstance, "cannot take the lock %s; playing anyway", qPrintable(base + ".lock"));
        return;
    }
    primary_ = true;
    QLocalServer::removeServer(socketPath_);  // left by a game that was killed
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    if (!server_.listen(socketPath_)) {
        qCWarning(lcInstance, "a second start cannot reach this game: %s", qPrintable(server_.errorString()));
    }
}

SingleInstance::~SingleInstance() { release(); }

void SingleInstance::release() {
    server_.close();
    if (lock_) lock_->unlock();
}

void SingleInstance::answer() {
    while (QLocalSocket* peer = server_.nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
            if (!peer->canReadLine()) return;
            if (peer->readLine() == kComeForward) {
                qCDebug(lcInstance, "a second start asked this game to come forward");
                Q_EMIT comeForward();
                peer->write(kDone);
            }
            peer->disconnectFromServer();
        });
    }
}

bool SingleInstance::bringPrimaryForward(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    // The running game may be starting and not listen yet: try again until the deadline.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            socket.write(kComeForward);
            socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
            while (!socket.canReadLine() && socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            }
            return socket.canReadLine() && socket.readLine() == kDone;
        }
        QThread::msleep(50);
    }
    return false;
}

}  // namespace gribo::platform
