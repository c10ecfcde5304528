#pragma once

// The store as the session drives it: a settings store kept in step with its file. The
// file is the reference: before a handler first reads or writes the store, the store
// looks whether the file changed on disk and reads it again if so; after the handler,
// the session saves what it wrote.

#include <QString>

#include "state/ports.h"

namespace gribo::store {

class SyncedStore : public SettingsStore {
public:
    struct Saved {
        bool done = false;
        QString reason;  // not done: why, in the system's words
    };

    // The next read or write first looks whether the file changed on disk since the
    // store last read or wrote it, and reads it again if so. The session calls it as
    // each handler begins, so a handler that never touches the store costs nothing.
    virtual void lookBeforeNextUse() = 0;
    // Something was written (or read again and left to save) since the last save was tried.
    virtual bool changedSinceLastTry() const = 0;
    // The file does not hold everything the store holds yet.
    virtual bool unsaved() const = 0;
    // Writes the whole store to its file, after one more look at it. What fails stays
    // unsaved, for the next try; a file that cannot be read is never written over.
    virtual Saved save() = 0;
    // Why the file cannot be read now (the game then plays on from memory); empty when
    // it can.
    virtual QString unreadable() const = 0;
    virtual QString fileName() const = 0;
};

}  // namespace gribo::store
