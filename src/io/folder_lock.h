#pragma once
// Quillset's processes take turns writing a folder's files: the window and
// every command lock the game's folder while they read settings.cfg, decide
// and replace it, so two of them never interleave a read and a write. The
// lock is advisory and among Quillset's own processes only (the game does
// not take it), and it sits on the folder, which a rename over the file
// does not replace. The system releases it when the process ends, however.

#include <QString>

#include <chrono>

namespace quillset {

class FolderLock {
public:
    enum class State {
        Held,        // this process holds the lock
        Unsupported, // the folder or its file system cannot be locked: not locked
        Busy,        // another process held it for the whole wait
    };

    // Locks folder, waiting up to patience for another process to finish.
    FolderLock(const QString& folder, std::chrono::milliseconds patience);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return state_; }
    // Gives the lock back before the object goes.
    void release();

private:
    int fd_ = -1;
    State state_ = State::Unsupported;
};

} // namespace quillset
