// The POSIX calls Qt has no word for (the store needs fsync of a file and of its
// folder), and the few around them, in one place.

#include "store/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace gribo::store {
namespace {

template <typename T>
T orError(T result) {
    return result < 0 ? static_cast<T>(-errno) : result;
}

class PosixFiles final : public FileSystem {
public:
    int open(const QByteArray& path, int flags, unsigned mode) override {
        return orError(::open(path.constData(), flags, static_cast<mode_t>(mode)));
    }
    qint64 read(int fd, char* data, std::size_t size) override { return orError<qint64>(::read(fd, data, size)); }
    qint64 write(int fd, const char* data, std::size_t size) override {
        return orError<qint64>(::write(fd, data, size));
    }
    int fsync(int fd) override { return orError(::fsync(fd)); }
    int close(int fd) override { return orError(::close(fd)); }
    int rename(const QByteArray& from, const QByteArray& to) override {
        return orError(std::rename(from.constData(), to.constData()));
    }
    int unlink(const QByteArray& path) override { return orError(::unlink(path.constData())); }
};

}  // namespace

FileSystem& systemFiles() {
    static PosixFiles files;
    return files;
}

}  // namespace gribo::store
