#pragma once

// The file port of the store: every call the store makes to the disk, one system call
// each, so that a test can make any one of them fail. A call retries nothing by itself
// (EINTR included: the caller decides) and answers with a FileResult: done, with what
// the system call returned, or failed, with the error number and the system's words
// for it. Paths are in the file system's own encoding (QFile::encodeName).
//
// FileSystemWrapper forwards every call to another FileSystem, so that a test fake
// overrides only the calls it cares about.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstddef>

namespace gribo::store {

// What a file is, as stat(2) tells it: which file (device and inode), its size, when
// it was last modified (to the nanosecond) and its type and permissions. Two equal
// identities are the same file with, as far as a stat can tell, the same content.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
    unsigned mode = 0;  // st_mode: the type and the permission bits

    unsigned permissions() const { return mode & 07777; }
    bool operator==(const FileIdentity&) const = default;
};

// The answer of every file operation.
class [[nodiscard]] FileResult {
public:
    static FileResult done(qint64 value = 0) { return FileResult(0, value); }
    // REQUIRES: error > 0.
    static FileResult failed(int error) { return FileResult(error, 0); }

    bool ok() const { return error_ == 0; }
    // The error number (ENOENT, ENOSPC, ...); 0 when done.
    int error() const { return error_; }
    // When done, what the call returned: a descriptor, a number of bytes; else 0.
    qint64 value() const { return value_; }
    // The system's words for the error, in the player's language; empty when done.
    QString reason() const;

private:
    FileResult(int error, qint64 value) : error_(error), value_(value) {}
    int error_;
    qint64 value_;
};

class FileSystem {
public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    // Opens `path` as open(2) does; value() is the new descriptor. REQUIRES: close() it.
    virtual FileResult open(const QByteArray& path, int flags, unsigned mode) = 0;
    // Reads at most `size` bytes into `data`; value() is how many, 0 at the end of the file.
    virtual FileResult read(int fd, char* data, std::size_t size) = 0;
    // Writes at most `size` bytes of `data`; value() is how many, maybe fewer than asked.
    virtual FileResult write(int fd, const char* data, std::size_t size) = 0;
    // Flushes to the disk what was written to `fd`; for a folder, its names.
    virtual FileResult fsync(int fd) = 0;
    // Closes `fd`. The descriptor is gone even when it fails (a write refused late).
    virtual FileResult close(int fd) = 0;
    // Gives the file `from` the name `to`, replacing any file there in one step.
    // REQUIRES: both on the same file system.
    virtual FileResult rename(const QByteArray& from, const QByteArray& to) = 0;
    // Removes the name `path`; a link is removed, not what it leads to.
    virtual FileResult unlink(const QByteArray& path) = 0;
    // Makes the one folder `path` with `mode`; EEXIST when a name is there already.
    virtual FileResult mkdir(const QByteArray& path, unsigned mode) = 0;
    // Sets the permission bits of the open file `fd`.
    virtual FileResult fchmod(int fd, unsigned mode) = 0;
    // What the file at `path` is, its links followed, into `*identity`. REQUIRES: identity.
    virtual FileResult stat(const QByteArray& path, FileIdentity* identity) = 0;
    // What the open file `fd` is, into `*identity`. REQUIRES: identity.
    virtual FileResult fstat(int fd, FileIdentity* identity) = 0;
    // The text of the symbolic link `path` into `*target`, as written in the link
    // (maybe relative); EINVAL when `path` is no link, ENOENT when nothing is there.
    // REQUIRES: target.
    virtual FileResult readlink(const QByteArray& path, QByteArray* target) = 0;
};

// The machine's own file system.
FileSystem& systemFiles();

// A file system that hands every call to `target`: a test fake derives from it and
// overrides only what it changes.
class FileSystemWrapper : public FileSystem {
public:
    explicit FileSystemWrapper(FileSystem& target) : target_(target) {}

    FileResult open(const QByteArray& path, int flags, unsigned mode) override {
        return target_.open(path, flags, mode);
    }
    FileResult read(int fd, char* data, std::size_t size) override { return target_.read(fd, data, size); }
    FileResult write(int fd, const char* data, std::size_t size) override { return target_.write(fd, data, size); }
    FileResult fsync(int fd) override { return target_.fsync(fd); }
    FileResult close(int fd) override { return target_.close(fd); }
    FileResult rename(const QByteArray& from, const QByteArray& to) override { return target_.rename(from, to); }
    FileResult unlink(const QByteArray& path) override { return target_.unlink(path); }
    FileResult mkdir(const QByteArray& path, unsigned mode) override { return target_.mkdir(path, mode); }
    FileResult fchmod(int fd, unsigned mode) override { return target_.fchmod(fd, mode); }
    FileResult stat(const QByteArray& path, FileIdentity* identity) override { return target_.stat(path, identity); }
    FileResult fstat(int fd, FileIdentity* identity) override { return target_.fstat(fd, identity); }
    FileResult readlink(const QByteArray& path, QByteArray* target) override { return target_.readlink(path, target); }

    FileSystem& target() const { return target_; }

private:
    FileSystem& target_;
};

}  // namespace gribo::store
