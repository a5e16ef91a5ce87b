// The process table of Linux: the numeric entries of /proc. Each entry costs
// one readlink and one open and read, through the folder's descriptor (no
// path is looked up twice), and nothing is followed that could loop.

#include "shell/running_game.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillset {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The pid an entry names, or nothing for "self", "sys" and the like.
std::optional<qint64> pidOf(const char* name) {
    qint64 pid = 0;
    int digits = 0;
    for (; name[digits] != '\0'; ++digits) {
        if (name[digits] < '0' || name[digits] > '9' || digits >= 18)
            return std::nullopt;
        pid = pid * 10 + (name[digits] - '0');
    }
    return digits > 0 ? std::optional<qint64>(pid) : std::nullopt;
}

// The target of <pid>/exe, read as a link (never followed). The kernel marks
// the executable of a process whose file was replaced or removed with
// " (deleted)"; the process still runs from that folder, so the mark goes.
QString readExecutable(int rootFd, const QByteArray& entry) {
    char target[PATH_MAX];
    const ssize_t length =
        ::readlinkat(rootFd, (entry + "/exe").constData(), target, sizeof target);
    if (length <= 0 || length == ssize_t(sizeof target)) // unreadable, or cut off
        return {};
    QByteArray path(target, length);
    if (path.endsWith(" (deleted)"))
        path.chop(10);
    return QFile::decodeName(path);
}

// The first argument in <pid>/cmdline: the bytes up to the first NUL. Only a
// regular file is read (what /proc's own files are), opened without waiting,
// so a FIFO or a device in a folder made to look like /proc never blocks.
// An argument longer than a path can be is no path: it reads as none.
QString readFirstArgument(int rootFd, const QByteArray& entry) {
    const FileDescriptor file(::openat(rootFd, (entry + "/cmdline").constData(),
                                       O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    char buffer[PATH_MAX + 1];
    size_t filled = 0;
    while (filled < sizeof buffer) {
        const ssize_t got = ::read(file.get(), buffer + filled, sizeof buffer - filled);
        if (got < 0)
            return {};
        if (got == 0)
            break;
        const void* end = std::memchr(buffer + filled, '\0', size_t(got));
        filled += size_t(got);
        if (end != nullptr)
            return QFile::decodeName(QByteArray(buffer, static_cast<const char*>(end) - buffer));
    }
    // No NUL: a process that rewrote its title writes none; read whole.
    return filled < sizeof buffer ? QFile::decodeName(QByteArray(buffer, qsizetype(filled)))
                                  : QString();
}

} // namespace

ProcProcessTable::ProcProcessTable(QString root) : root_(std::move(root)) {}

std::vector<RunningProcess> ProcProcessTable::processes() const {
    std::vector<RunningProcess> found;
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(QFile::encodeName(root_).constData()));
    if (!dir)
        return found;
    const int rootFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::optional<qint64> pid = pidOf(entry->d_name);
        if (!pid)
            continue;
        const QByteArray name(entry->d_name);
        RunningProcess process{*pid, readExecutable(rootFd, name), readFirstArgument(rootFd, name)};
        // Gone, not ours to read, or a kernel thread (which has neither).
        if (!process.executable.isEmpty() || !process.firstArgument.isEmpty())
            found.push_back(std::move(process));
    }
    // The order of readdir is the file system's; the pid order is stable.
    std::sort(found.begin(), found.end(),
              [](const RunningProcess& a, const RunningProcess& b) { return a.pid < b.pid; });
    return found;
}

QString ProcProcessTable::currentFolder(qint64 pid) const {
    char target[PATH_MAX];
    const QByteArray link = QFile::encodeName(root_) + '/' + QByteArray::number(pid) + "/cwd";
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0 || length == ssize_t(sizeof target))
        return {};
    QByteArray path(target, length);
    if (path.endsWith(" (deleted)"))
        path.chop(10);
    return QFile::decodeName(path);
}

std::unique_ptr<ProcessTable> makePlatformProcessTable() {
    return std::make_unique<ProcProcessTable>();
}

} // namespace quillset
