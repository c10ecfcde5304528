#pragma once

// What the store's file was when the store last read or wrote it, and whether it is
// another file now: one stat, links followed.

#include <QFile>
#include <QString>
#include <cerrno>
#include <optional>

#include "store/file_system.h"

namespace gribo::store {

class DiskLook {
public:
    // The file was read or written, and was `seen` (none: nothing was there).
    void saw(std::optional<FileIdentity> seen) {
        seen_ = seen;
        known_ = true;
    }
    // Whether `file` is now another than the one last seen: true before anything was
    // seen, and when the stat fails for another reason than "nothing there".
    bool changed(FileSystem& fs, const QString& file) const {
        if (!known_) return true;
        FileIdentity now;
        const FileResult looked = fs.stat(QFile::encodeName(file), &now);
        if (looked.error() == ENOENT || looked.error() == ENOTDIR) return seen_.has_value();
        return !looked.ok() || !seen_ || *seen_ != now;
    }

private:
    bool known_ = false;
    std::optional<FileIdentity> seen_;
};

}  // namespace gribo::store
