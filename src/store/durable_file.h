#pragma once

// Reading a whole file, and replacing one so that a crash, a power cut or a full disk
// leaves either the old content or the new one, never a mix or nothing.

#include <QByteArray>
#include <QString>

#include "store/file_system.h"

namespace gribo::store {

struct FileRead {
    enum class State { Read, Missing, Unreadable } state = State::Missing;
    QByteArray bytes;
    QString reason;  // Unreadable: the system's words
};

// The whole content of `file`; a file that is not there is Missing, one that is there
// but cannot be opened or read through is Unreadable.
FileRead readWholeFile(FileSystem& fs, const QString& file);

struct FileWrite {
    bool done = false;
    QString reason;  // not done: the system's words
};

// Writes `bytes` to a new file beside `file` (every write checked, short writes
// continued), flushes it to the disk, renames it over `file` and flushes the folder.
// A failure before the rename leaves `file` as it was and removes the new file; one
// after it (the folder's flush) leaves the new content in place, not yet known to be
// durable. Either way the failure is reported.
FileWrite replaceFileDurably(FileSystem& fs, const QString& file, const QByteArray& bytes);

// The name of the new file a replacement of `file` writes first.
QString newFileBeside(const QString& file);

}  // namespace gribo::store
