#pragma once

// The store's file operations, each made of calls to the file port: reading a whole
// file, finding the file a chain of links leads to, and replacing a file so that a
// crash, a power cut or a full disk leaves either the old content or the new one,
// never a mix or nothing.

#include <QByteArray>
#include <QString>
#include <optional>

#include "store/file_system.h"

namespace gribo::store {

struct FileRead {
    enum class State { Read, Missing, Unreadable } state = State::Missing;
    QByteArray bytes;                         // Read: the whole content
    FileIdentity identity;                    // Read: the file the bytes came from
    FileResult failure = FileResult::done();  // Unreadable: the call that failed
    QString danglingLink;                     // Unreadable: the link that leads nowhere, if that is why

    // Unreadable: why, in the system's words, and the link that leads nowhere.
    QString reason() const;
};

// The whole content of `file`, its links followed. Nothing there is Missing (no pet).
// A file that is there but cannot be opened or read through is Unreadable, and so is
// a link, or a link among the folders above it, that leads nowhere: that file's pet is
// only out of reach.
FileRead readWholeFile(FileSystem& fs, const QString& file);

// The file at the end of `file`'s chain of links (a relative link is read from the
// link's own folder): `file` itself when it is no link. Fails when a link cannot be
// read or the chain loops (ELOOP).
FileResult resolveLinks(FileSystem& fs, const QString& file, QString* target);

// Makes the folder `folder` and those above it that are missing.
FileResult makeFolders(FileSystem& fs, const QString& folder);

struct FileWrite {
    FileResult result = FileResult::done();  // failed: the call that failed
    // The file now at the target's name once the new content is in place, even when
    // the last step (the flush of the folder) failed; none before that.
    std::optional<FileIdentity> written;
};

// Replaces the content of `file` with `bytes`. A link is followed: the new file is
// written beside the file the link leads to, flushed to the disk, renamed over it and
// its folder flushed, so the link stays a link and the rename stays within one file
// system. The new file gets the old one's permissions (a first file is readable by
// all and writable by its owner, as QSettings makes it). A failure before the rename
// leaves the old file as it was and removes the new one; one after it leaves the new
// content in place, not yet known to be durable. Either way the failure is reported.
FileWrite replaceFileDurably(FileSystem& fs, const QString& file, const QByteArray& bytes);

// Writes `bytes` as the new file `file` with the permissions `mode`, flushed to the
// disk. Never replaces a file already there (EEXIST); a failure removes what it began.
FileResult writeNewFile(FileSystem& fs, const QString& file, const QByteArray& bytes, unsigned mode);

// The name of the new file a replacement of `target` writes first.
QString newFileBeside(const QString& target);

}  // namespace gribo::store
