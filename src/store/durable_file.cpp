#include "store/durable_file.h"

#include <fcntl.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace gribo::store {
namespace {

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

QString folderOf(const QString& path) { return QFileInfo(path).path(); }

// Links are followed at most this deep, as the kernel does (ELOOP beyond).
constexpr int kMostLinks = 40;

// Retries a call the system interrupted before it did anything.
template <typename Call>
FileResult uninterrupted(Call&& call) {
    for (;;) {
        FileResult r = call();
        if (r.error() != EINTR) return r;
    }
}

// The link on the way to `file` that leads nowhere, if it is why nothing is there: the
// file itself, or one of the folders above it. Empty when nothing is there for good.
QString danglingLinkTo(FileSystem& fs, const QString& file) {
    for (QString path = file;;) {
        QByteArray text;
        const FileResult link = fs.readlink(encoded(path), &text);
        if (link.ok()) {
            FileIdentity target;
            return fs.stat(encoded(path), &target).error() == ENOENT ? path : QString();
        }
        if (link.error() != ENOENT) return {};  // a name that is there (EINVAL: no link), or no telling
        const QString up = folderOf(path);
        if (up == path) return {};
        path = up;
    }
}

FileResult writeAll(FileSystem& fs, int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const FileResult n = uninterrupted(
            [&] { return fs.write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done)); });
        if (!n.ok()) return n;
        if (n.value() == 0) return FileResult::failed(EIO);  // no progress and no reason: never loop on it
        done += n.value();
    }
    return FileResult::done();
}

}  // namespace

QString FileRead::reason() const {
    if (danglingLink.isEmpty()) return failure.reason();
    return QString::fromUtf8("%1 (le lien %2 ne mène à aucun fichier)").arg(failure.reason(), danglingLink);
}

FileRead readWholeFile(FileSystem& fs, const QString& file) {
    FileRead r;
    const FileResult opened = fs.open(encoded(file), O_RDONLY | O_CLOEXEC, 0);
    if (!opened.ok()) {
        // No file there (nor a folder to hold one): no pet, unless a link leads nowhere.
        if (opened.error() == ENOENT || opened.error() == ENOTDIR) {
            r.danglingLink = danglingLinkTo(fs, file);
            if (r.danglingLink.isEmpty()) return r;
        }
        r.state = FileRead::State::Unreadable;
        r.failure = opened;
        return r;
    }
    const int fd = static_cast<int>(opened.value());
    const auto unreadable = [&](FileResult why) {
        (void)fs.close(fd);  // read only: nothing to lose at the close
        r.state = FileRead::State::Unreadable;
        r.failure = why;
        r.bytes.clear();
        return r;
    };
    if (const FileResult looked = fs.fstat(fd, &r.identity); !looked.ok()) return unreadable(looked);
    char block[16 * 1024];
    for (;;) {
        const FileResult n = uninterrupted([&] { return fs.read(fd, block, sizeof block); });
        if (!n.ok()) return unreadable(n);
        if (n.value() == 0) break;
        r.bytes.append(block, n.value());
    }
    (void)fs.close(fd);
    r.state = FileRead::State::Read;
    return r;
}

FileResult resolveLinks(FileSystem& fs, const QString& file, QString* target) {
    QString path = file;
    for (int links = 0; links <= kMostLinks; ++links) {
        QByteArray text;
        const FileResult link = fs.readlink(encoded(path), &text);
        if (!link.ok()) {
            // No link (EINVAL), or nothing there yet: the chain ends here.
            if (link.error() != EINVAL && link.error() != ENOENT) return link;
            *target = path;
            return FileResult::done();
        }
        const QString next = QFile::decodeName(text);
        path = QDir::isAbsolutePath(next) ? next : folderOf(path) + u'/' + next;
    }
    return FileResult::failed(ELOOP);
}

FileResult makeFolders(FileSystem& fs, const QString& folder) {
    const auto make = [&] {
        const FileResult made = fs.mkdir(encoded(folder), 0777);
        return made.error() == EEXIST ? FileResult::done() : made;
    };
    const FileResult made = make();
    if (made.error() != ENOENT) return made;
    const QString up = folderOf(folder);
    if (up == folder) return made;
    if (const FileResult above = makeFolders(fs, up); !above.ok()) return above;
    return make();
}

QString newFileBeside(const QString& target) {
    return target + ".nouveau-" + QString::number(QCoreApplication::applicationPid());
}

FileWrite replaceFileDurably(FileSystem& fs, const QString& file, const QByteArray& bytes) {
    FileWrite w;
    const auto failed = [&w](FileResult why) {
        w.result = why;
        return w;
    };
    QString target;
    if (const FileResult r = resolveLinks(fs, file, &target); !r.ok()) return failed(r);
    if (const FileResult r = makeFolders(fs, folderOf(target)); !r.ok()) return failed(r);
    FileIdentity old;
    const FileResult looked = fs.stat(encoded(target), &old);
    if (!looked.ok() && looked.error() != ENOENT) return failed(looked);

    const QByteArray fresh = encoded(newFileBeside(target));
    const FileResult opened = fs.open(fresh, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (!opened.ok()) return failed(opened);
    const int fd = static_cast<int>(opened.value());
    const auto abandon = [&](FileResult why, bool open) {
        if (open) (void)fs.close(fd);
        (void)fs.unlink(fresh);
        return failed(why);
    };

    FileIdentity made;
    if (const FileResult r = fs.fstat(fd, &made); !r.ok()) return abandon(r, true);
    const unsigned wanted = looked.ok() ? old.permissions() : made.permissions() | 0644;
    if (made.permissions() != wanted) {
        if (const FileResult r = fs.fchmod(fd, wanted); !r.ok()) return abandon(r, true);
    }
    if (const FileResult r = writeAll(fs, fd, bytes); !r.ok()) return abandon(r, true);
    if (const FileResult r = uninterrupted([&] { return fs.fsync(fd); }); !r.ok()) return abandon(r, true);
    if (const FileResult r = fs.fstat(fd, &made); !r.ok()) return abandon(r, true);
    // A close can report a write the disk refused late (network file systems); the
    // descriptor is gone either way.
    if (const FileResult r = fs.close(fd); !r.ok()) return abandon(r, false);
    if (const FileResult r = fs.rename(fresh, encoded(target)); !r.ok()) return abandon(r, false);
    w.written = made;

    // The new name must reach the disk too, or a power cut can bring the old file back.
    const FileResult folder = fs.open(encoded(folderOf(target)), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (!folder.ok()) return failed(folder);
    const int dir = static_cast<int>(folder.value());
    const FileResult synced = uninterrupted([&] { return fs.fsync(dir); });
    const FileResult closed = fs.close(dir);
    if (!synced.ok()) return failed(synced);
    if (!closed.ok()) return failed(closed);
    return w;
}

FileResult writeNewFile(FileSystem& fs, const QString& file, const QByteArray& bytes, unsigned mode) {
    const QByteArray name = encoded(file);
    // Private while it is written, then the permissions asked for.
    const FileResult opened = fs.open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (!opened.ok()) return opened;
    const int fd = static_cast<int>(opened.value());
    FileResult r = fs.fchmod(fd, mode);
    if (r.ok()) r = writeAll(fs, fd, bytes);
    if (r.ok()) r = uninterrupted([&] { return fs.fsync(fd); });
    const FileResult closed = fs.close(fd);
    if (r.ok()) r = closed;
    if (!r.ok()) (void)fs.unlink(name);
    return r;
}

}  // namespace gribo::store
