#pragma once

// The machine's files, with one call made to fail (by its number, counted from the
// last clear()), the disk made full, or every write cut short. Every call is recorded
// by what it does ("open new file", "fsync folder", "stat", ...), so a test can fail
// each one in turn.

#include <fcntl.h>

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <set>

#include "store/file_system.h"

namespace gribo::test {

class FaultyFiles final : public store::FileSystemWrapper {
public:
    using FileResult = store::FileResult;
    using FileIdentity = store::FileIdentity;

    FaultyFiles() : FileSystemWrapper(store::systemFiles()) {}

    int failAt = -1;  // the number of the call that fails; -1: none
    int error = EIO;
    bool full = false;                    // every write fails with ENOSPC
    std::size_t longestWrite = SIZE_MAX;  // a write writes at most this much
    QStringList calls;

    void clear() { calls.clear(); }

    FileResult open(const QByteArray& path, int flags, unsigned mode) override {
        const bool folder = flags & O_DIRECTORY;
        if (fails(folder ? "open folder" : (flags & O_CREAT) ? "open new file" : "open")) return failure();
        const FileResult opened = FileSystemWrapper::open(path, flags, mode);
        if (folder && opened.ok()) folders_.insert(static_cast<int>(opened.value()));
        return opened;
    }
    FileResult read(int fd, char* data, std::size_t size) override {
        return fails("read") ? failure() : FileSystemWrapper::read(fd, data, size);
    }
    FileResult write(int fd, const char* data, std::size_t size) override {
        if (fails("write")) return failure();
        return full ? FileResult::failed(ENOSPC) : FileSystemWrapper::write(fd, data, std::min(size, longestWrite));
    }
    FileResult fsync(int fd) override {
        return fails(folders_.count(fd) ? "fsync folder" : "fsync") ? failure() : FileSystemWrapper::fsync(fd);
    }
    FileResult close(int fd) override {
        const bool folder = folders_.erase(fd) > 0;
        const FileResult closed = FileSystemWrapper::close(fd);  // the descriptor goes whatever close says
        return fails(folder ? "close folder" : "close") ? failure() : closed;
    }
    FileResult rename(const QByteArray& from, const QByteArray& to) override {
        return fails("rename") ? failure() : FileSystemWrapper::rename(from, to);
    }
    FileResult unlink(const QByteArray& path) override { return FileSystemWrapper::unlink(path); }
    FileResult mkdir(const QByteArray& path, unsigned mode) override {
        return fails("mkdir") ? failure() : FileSystemWrapper::mkdir(path, mode);
    }
    FileResult fchmod(int fd, unsigned mode) override {
        return fails("fchmod") ? failure() : FileSystemWrapper::fchmod(fd, mode);
    }
    FileResult stat(const QByteArray& path, FileIdentity* identity) override {
        return fails("stat") ? failure() : FileSystemWrapper::stat(path, identity);
    }
    FileResult fstat(int fd, FileIdentity* identity) override {
        return fails("fstat") ? failure() : FileSystemWrapper::fstat(fd, identity);
    }
    FileResult readlink(const QByteArray& path, QByteArray* target) override {
        return fails("readlink") ? failure() : FileSystemWrapper::readlink(path, target);
    }

private:
    bool fails(const char* what) {
        calls << what;
        return calls.size() - 1 == failAt;
    }
    FileResult failure() const { return FileResult::failed(error); }

    std::set<int> folders_;
};

}  // namespace gribo::test
