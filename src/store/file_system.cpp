// The store's system calls, in one place: the few Qt has no word for (fsync of a file
// and of its folder, the identity of a file to the nanosecond) and those around them.

#include "store/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <limits>

namespace gribo::store {

QString FileResult::reason() const { return ok() ? QString() : qt_error_string(error_); }

namespace {

FileResult answer(qint64 rc) { return rc < 0 ? FileResult::failed(errno) : FileResult::done(rc); }

FileIdentity identityOf(const struct stat& st) {
    return {.device = static_cast<quint64>(st.st_dev),
            .inode = static_cast<quint64>(st.st_ino),
            .size = static_cast<qint64>(st.st_size),
            .modifiedSeconds = static_cast<qint64>(st.st_mtim.tv_sec),
            .modifiedNanoseconds = static_cast<qint64>(st.st_mtim.tv_nsec),
            .mode = static_cast<unsigned>(st.st_mode)};
}

class PosixFiles final : public FileSystem {
public:
    FileResult open(const QByteArray& path, int flags, unsigned mode) override {
        return answer(::open(path.constData(), flags, static_cast<mode_t>(mode)));
    }
    FileResult read(int fd, char* data, std::size_t size) override { return answer(::read(fd, data, size)); }
    FileResult write(int fd, const char* data, std::size_t size) override { return answer(::write(fd, data, size)); }
    FileResult fsync(int fd) override { return answer(::fsync(fd)); }
    FileResult close(int fd) override { return answer(::close(fd)); }
    FileResult rename(const QByteArray& from, const QByteArray& to) override {
        return answer(std::rename(from.constData(), to.constData()));
    }
    FileResult unlink(const QByteArray& path) override { return answer(::unlink(path.constData())); }
    FileResult mkdir(const QByteArray& path, unsigned mode) override {
        return answer(::mkdir(path.constData(), static_cast<mode_t>(mode)));
    }
    FileResult fchmod(int fd, unsigned mode) override { return answer(::fchmod(fd, static_cast<mode_t>(mode))); }
    FileResult stat(const QByteArray& path, FileIdentity* identity) override {
        struct stat st {};
        if (::stat(path.constData(), &st) < 0) return FileResult::failed(errno);
        *identity = identityOf(st);
        return FileResult::done();
    }
    FileResult fstat(int fd, FileIdentity* identity) override {
        struct stat st {};
        if (::fstat(fd, &st) < 0) return FileResult::failed(errno);
        *identity = identityOf(st);
        return FileResult::done();
    }
    FileResult readlink(const QByteArray& path, QByteArray* target) override {
        // A link's text is rarely long; a longer one is read again into room enough.
        for (qsizetype room = 256;; room *= 4) {
            target->resize(room);
            const ssize_t n = ::readlink(path.constData(), target->data(), static_cast<std::size_t>(room));
            if (n < 0) {
                target->clear();
                return FileResult::failed(errno);
            }
            if (n < room || room > std::numeric_limits<int>::max() / 4) {
                target->resize(n);
                return FileResult::done(n);
            }
        }
    }
};

}  // namespace

FileSystem& systemFiles() {
    static PosixFiles files;
    return files;
}

}  // namespace gribo::store
