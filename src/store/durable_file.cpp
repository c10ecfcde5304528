#include "store/durable_file.h"

#include <fcntl.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace gribo::store {
namespace {

QString reasonOf(qint64 error) { return qt_error_string(static_cast<int>(-error)); }

}  // namespace

FileRead readWholeFile(FileSystem& fs, const QString& file) {
    FileRead r;
    const int fd = fs.open(QFile::encodeName(file), O_RDONLY | O_CLOEXEC, 0);
    // No file there (nor a folder to hold one): no pet.
    if (fd == -ENOENT || fd == -ENOTDIR) return r;
    if (fd < 0) {
        r.state = FileRead::State::Unreadable;
        r.reason = reasonOf(fd);
        return r;
    }
    char block[16 * 1024];
    for (;;) {
        const qint64 n = fs.read(fd, block, sizeof block);
        if (n == -EINTR) continue;
        if (n < 0) {
            fs.close(fd);
            r.state = FileRead::State::Unreadable;
            r.reason = reasonOf(n);
            r.bytes.clear();
            return r;
        }
        if (n == 0) break;
        r.bytes.append(block, n);
    }
    fs.close(fd);  // read-only: nothing to lose at the close
    r.state = FileRead::State::Read;
    return r;
}

QString newFileBeside(const QString& file) {
    return file + ".nouveau-" + QString::number(QCoreApplication::applicationPid());
}

FileWrite replaceFileDurably(FileSystem& fs, const QString& file, const QByteArray& bytes) {
    const QFileInfo info(file);
    QDir().mkpath(info.path());
    const QByteArray target = QFile::encodeName(file);
    const QString fresh = newFileBeside(file);
    const QByteArray freshName = QFile::encodeName(fresh);
    const auto failed = [](qint64 error) { return FileWrite{false, reasonOf(error)}; };

    const int fd = fs.open(freshName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return failed(fd);
    // The new file gets the old one's permissions; a first file is readable by its
    // owner's tools and writable by its owner, as QSettings makes it.
    QFile::setPermissions(fresh, info.exists() ? info.permissions()
                                               : QFile::permissions(fresh) | QFile::ReadOwner | QFile::WriteOwner |
                                                     QFile::ReadGroup | QFile::ReadOther);
    const auto abandon = [&](qint64 error, bool open) {
        if (open) fs.close(fd);
        fs.unlink(freshName);
        return failed(error);
    };

    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = fs.write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
        if (n == -EINTR) continue;
        if (n < 0) return abandon(n, true);
        if (n == 0) return abandon(-EIO, true);  // no progress and no reason: never loop on it
        done += n;
    }
    int rc;
    while ((rc = fs.fsync(fd)) == -EINTR) {
    }
    if (rc < 0) return abandon(rc, true);
    // A close can report a write the disk refused late (network file systems); the
    // descriptor is gone either way.
    if ((rc = fs.close(fd)) < 0) return abandon(rc, false);
    if ((rc = fs.rename(freshName, target)) < 0) return abandon(rc, false);

    // The new name must reach the disk too, or a power cut can bring the old file back.
    const int dir = fs.open(QFile::encodeName(info.path()), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir < 0) return failed(dir);
    while ((rc = fs.fsync(dir)) == -EINTR) {
    }
    const int closed = fs.close(dir);
    if (rc < 0) return failed(rc);
    if (closed < 0) return failed(closed);
    return {true, {}};
}

}  // namespace gribo::store
