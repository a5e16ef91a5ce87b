#include "io/folder_lock.h"

#include <QFile>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace quillset {

FolderLock::FolderLock(const QString& folder, std::chrono::milliseconds patience) {
#ifdef Q_OS_UNIX
    fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        return; // a folder we may not open: nothing to lock with
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        // FUSE and network file systems may not offer locks at all.
        if (errno != EWOULDBLOCK && errno != EINTR) {
            release();
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            release();
            state_ = State::Busy;
            return;
        }
        QThread::msleep(2);
    }
    state_ = State::Held;
#else
    // Windows: a save is a few milliseconds, and its file locks differ; the
    // comparison before the rename still guards the file.
    Q_UNUSED(folder);
    Q_UNUSED(patience);
#endif
}

FolderLock::~FolderLock() {
    release();
}

void FolderLock::release() {
#ifdef Q_OS_UNIX
    if (fd_ >= 0)
        ::close(fd_); // closing the last descriptor gives the lock back
#endif
    fd_ = -1;
    state_ = State::Unsupported;
}

} // namespace quillset
