#include "platform/single_instance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

namespace gribo::platform {
namespace {

Q_LOGGING_CATEGORY(lcInstance, "gribo.instance", QtInfoMsg)

constexpr char kComeForward[] = "come forward\n";
constexpr char kDone[] = "done\n";

// The socket's address; none when the path does not fit in one.
std::optional<sockaddr_un> addressOf(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path) return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

// Writes all of `text`, or fails.
bool writeAll(int fd, const char* text) {
    for (size_t left = std::strlen(text); left > 0;) {
        const ssize_t n = ::send(fd, text, left, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text += n;
        left -= size_t(n);
    }
    return true;
}

}  // namespace

// One second start talking to this game: what it has said so far, until its line ends.
struct SingleInstance::Peer {
    int fd;
    QSocketNotifier readable;
    QByteArray said;
    explicit Peer(int socket) : fd(socket), readable(socket, QSocketNotifier::Read) {}
    ~Peer() { ::close(fd); }
};

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
    if (!listen()) qCWarning(lcInstance, "a second start cannot reach this game: %s", std::strerror(errno));
}

SingleInstance::~SingleInstance() { release(); }

// A socket in the runtime folder (the user's own) that only this user may use, in place
// of one a game that was killed left behind.
bool SingleInstance::listen() {
    const std::optional<sockaddr_un> address = addressOf(socketPath_);
    if (!address) {
        errno = ENAMETOOLONG;
        return false;
    }
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener_ < 0) return false;
    ::unlink(address->sun_path);
    if (::bind(listener_, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
        ::chmod(address->sun_path, 0600) != 0 || ::listen(listener_, 8) != 0) {
        const int error = errno;
        ::close(listener_);
        listener_ = -1;
        errno = error;
        return false;
    }
    incoming_ = std::make_unique<QSocketNotifier>(listener_, QSocketNotifier::Read);
    connect(incoming_.get(), &QSocketNotifier::activated, this, &SingleInstance::answer);
    return true;
}

void SingleInstance::release() {
    peers_.clear();
    incoming_.reset();
    if (listener_ >= 0) {
        ::close(listener_);
        listener_ = -1;
        ::unlink(QFile::encodeName(socketPath_).constData());
    }
    if (lock_) lock_->unlock();
}

void SingleInstance::answer() {
    for (int fd; (fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;) {
        auto peer = std::make_unique<Peer>(fd);
        Peer* p = peer.get();
        connect(&p->readable, &QSocketNotifier::activated, this, [this, p] { hear(p); });
        peers_.push_back(std::move(peer));
    }
}

// Reads what a second start says; at the end of its line (or of its connection) it is
// answered and let go.
void SingleInstance::hear(Peer* peer) {
    char buffer[64];
    const ssize_t n = ::recv(peer->fd, buffer, sizeof buffer, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n > 0) peer->said.append(buffer, n);
    if (n > 0 && !peer->said.contains('\n') && peer->said.size() < 64) return;
    if (peer->said == kComeForward) {
        qCDebug(lcInstance, "a second start asked this game to come forward");
        Q_EMIT comeForward();
        writeAll(peer->fd, kDone);
    }
    peer->readable.setEnabled(false);
    // Let go once this notifier's signal has returned.
    QMetaObject::invokeMethod(
        this,
        [this, peer] { std::erase_if(peers_, [peer](const std::unique_ptr<Peer>& p) { return p.get() == peer; }); },
        Qt::QueuedConnection);
}

bool SingleInstance::bringPrimaryForward(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const std::optional<sockaddr_un> address = addressOf(socketPath_);
    if (!address) return false;
    // The running game may be starting and not listen yet: try again until the deadline.
    while (!deadline.hasExpired()) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0) {
            QByteArray reply;
            bool said = writeAll(fd, kComeForward);
            while (said && !reply.contains('\n') && !deadline.hasExpired()) {
                pollfd p{fd, POLLIN, 0};
                if (::poll(&p, 1, int(deadline.remainingTime())) <= 0) continue;
                char buffer[16];
                const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0) break;
                reply.append(buffer, n);
            }
            ::close(fd);
            return reply == kDone;
        }
        ::close(fd);
        QThread::msleep(50);
    }
    return false;
}

}  // namespace gribo::platform
