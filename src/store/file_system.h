#pragma once

// The few file-system calls the store makes, one by one, so that a test can make any
// of them fail. Each returns what the system call returns, or minus the error number
// (-ENOSPC, -EIO, ...) when it fails; none retries by itself.

#include <QByteArray>
#include <cstddef>

namespace gribo::store {

class FileSystem {
public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    virtual int open(const QByteArray& path, int flags, unsigned mode) = 0;
    virtual qint64 read(int fd, char* data, std::size_t size) = 0;
    virtual qint64 write(int fd, const char* data, std::size_t size) = 0;
    virtual int fsync(int fd) = 0;
    virtual int close(int fd) = 0;
    virtual int rename(const QByteArray& from, const QByteArray& to) = 0;
    virtual int unlink(const QByteArray& path) = 0;
};

// The machine's own file system.
FileSystem& systemFiles();

}  // namespace gribo::store
