// LD_PRELOAD shim for fault sweeps: counts the file-system calls a save makes
// and fails, or kills the process at, the Nth call of one kind.
//
//   QUILLSET_FAULT_CALL    write | fsync | rename | link | open | close
//   QUILLSET_FAULT_N       which call of that kind, counting from 1
//   QUILLSET_FAULT_ACTION  eio | enospc | kill   (kill = SIGKILL before the call)
//   QUILLSET_FAULT_ARMED   1: count from the start; otherwise a program arms
//                          the shim itself with quillset_fault_arm(1), so only
//                          the save it wants to test is counted
//   QUILLSET_FAULT_TRACE   1: print every counted call to stderr
//
// Kinds: write covers write, pwrite and writev; fsync covers fdatasync; rename
// covers renameat and renameat2; link covers linkat; open counts only opens
// that can write (O_WRONLY, O_RDWR, O_CREAT, O_TRUNC or O_TMPFILE). Writes
// and closes of the standard streams are neither counted nor failed.
//
// A failed call does nothing, as when the device refuses it, except close:
// Linux releases the descriptor even when close reports an error.

#undef _FORTIFY_SOURCE
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

enum Kind { kWrite, kFsync, kRename, kLink, kOpen, kClose, kKindCount };
constexpr const char* kKindNames[kKindCount] = {"write", "fsync", "rename",
                                                "link",  "open",  "close"};

enum class Action { Eio, Enospc, Kill };

struct Config {
    int kind = -1;
    long n = 0;
    Action action = Action::Eio;
    bool trace = false;
};

Config g_config;
std::atomic<bool> g_armed{false};
std::atomic<long> g_counts[kKindCount];
std::atomic<int> g_fired{0};

template <typename Fn> Fn real(const char* name) {
    // Resolved on first use: constructors of other preloaded code may call
    // into us before ours has run.
    return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

#define REAL(fn) static const auto real_##fn = real<decltype(&::fn)>(#fn)

void traceCall(Kind kind, long number, const char* detail) {
    char line[512];
    const int len = std::snprintf(line, sizeof line, "[fault-shim] %s #%ld %s\n", kKindNames[kind],
                                  number, detail ? detail : "");
    REAL(write);
    if (len > 0)
        real_write(2, line, static_cast<size_t>(std::min<int>(len, sizeof line - 1)));
}

// Counts the call; true when it is the one to fail (errno is then set). A
// kill never returns.
bool shouldFail(Kind kind, const char* detail = nullptr) {
    if (!g_armed.load())
        return false;
    const long number = ++g_counts[kind];
    if (g_config.trace)
        traceCall(kind, number, detail);
    if (g_config.kind != kind || g_config.n != number)
        return false;
    ++g_fired;
    switch (g_config.action) {
    case Action::Kill:
        ::kill(::getpid(), SIGKILL);
        ::_exit(137); // not reached
    case Action::Enospc:
        errno = ENOSPC;
        return true;
    case Action::Eio:
        errno = EIO;
        return true;
    }
    return false;
}

bool opensForWrite(int flags) {
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0 ||
           (flags & O_TMPFILE) == O_TMPFILE;
}

// open's mode argument is only there when the flags create a file.
mode_t modeArgument(int flags, va_list args) {
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE)
        return static_cast<mode_t>(va_arg(args, int));
    return 0;
}

__attribute__((constructor)) void readConfig() {
    if (const char* call = std::getenv("QUILLSET_FAULT_CALL")) {
        for (int k = 0; k < kKindCount; ++k) {
            if (std::strcmp(call, kKindNames[k]) == 0)
                g_config.kind = k;
        }
    }
    if (const char* n = std::getenv("QUILLSET_FAULT_N"))
        g_config.n = std::strtol(n, nullptr, 10);
    if (const char* action = std::getenv("QUILLSET_FAULT_ACTION")) {
        if (std::strcmp(action, "kill") == 0)
            g_config.action = Action::Kill;
        else if (std::strcmp(action, "enospc") == 0)
            g_config.action = Action::Enospc;
    }
    const char* trace = std::getenv("QUILLSET_FAULT_TRACE");
    g_config.trace = trace && *trace == '1';
    const char* armed = std::getenv("QUILLSET_FAULT_ARMED");
    g_armed = armed && *armed == '1';
}

} // namespace

extern "C" {

// --- Control, found by programs with dlsym(RTLD_DEFAULT, ...) ---------------

void quillset_fault_arm(int on) {
    g_armed = on != 0;
}

// Calls of a kind counted while armed; -1 for an unknown kind name.
long quillset_fault_calls(const char* kind) {
    for (int k = 0; k < kKindCount; ++k) {
        if (std::strcmp(kind, kKindNames[k]) == 0)
            return g_counts[k].load();
    }
    return -1;
}

// How many faults were injected (0 or 1).
int quillset_fault_fired() {
    return g_fired.load();
}

// --- write ------------------------------------------------------------------

ssize_t write(int fd, const void* buf, size_t count) {
    REAL(write);
    if (fd > 2 && shouldFail(kWrite))
        return -1;
    return real_write(fd, buf, count);
}

ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset) {
    REAL(pwrite);
    if (fd > 2 && shouldFail(kWrite))
        return -1;
    return real_pwrite(fd, buf, count, offset);
}

ssize_t pwrite64(int fd, const void* buf, size_t count, off64_t offset) {
    REAL(pwrite64);
    if (fd > 2 && shouldFail(kWrite))
        return -1;
    return real_pwrite64(fd, buf, count, offset);
}

ssize_t writev(int fd, const struct iovec* iov, int iovcnt) {
    REAL(writev);
    if (fd > 2 && shouldFail(kWrite))
        return -1;
    return real_writev(fd, iov, iovcnt);
}

// --- fsync ------------------------------------------------------------------

int fsync(int fd) {
    REAL(fsync);
    if (shouldFail(kFsync, "fsync"))
        return -1;
    return real_fsync(fd);
}

int fdatasync(int fd) {
    REAL(fdatasync);
    if (shouldFail(kFsync, "fdatasync"))
        return -1;
    return real_fdatasync(fd);
}

// --- rename -----------------------------------------------------------------

int rename(const char* from, const char* to) {
    REAL(rename);
    if (shouldFail(kRename, to))
        return -1;
    return real_rename(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    REAL(renameat);
    if (shouldFail(kRename, to))
        return -1;
    return real_renameat(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) {
    REAL(renameat2);
    if (shouldFail(kRename, to))
        return -1;
    return real_renameat2(fromDir, from, toDir, to, flags);
}

// --- link -------------------------------------------------------------------

int link(const char* from, const char* to) {
    REAL(link);
    if (shouldFail(kLink, to))
        return -1;
    return real_link(from, to);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    REAL(linkat);
    if (shouldFail(kLink, to))
        return -1;
    return real_linkat(fromDir, from, toDir, to, flags);
}

// --- open for writing -------------------------------------------------------

int open(const char* path, int flags, ...) {
    REAL(open);
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (opensForWrite(flags) && shouldFail(kOpen, path))
        return -1;
    return real_open(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    REAL(open64);
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (opensForWrite(flags) && shouldFail(kOpen, path))
        return -1;
    return real_open64(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...) {
    REAL(openat);
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (opensForWrite(flags) && shouldFail(kOpen, path))
        return -1;
    return real_openat(dir, path, flags, mode);
}

int openat64(int dir, const char* path, int flags, ...) {
    REAL(openat64);
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (opensForWrite(flags) && shouldFail(kOpen, path))
        return -1;
    return real_openat64(dir, path, flags, mode);
}

int creat(const char* path, mode_t mode) {
    REAL(creat);
    if (shouldFail(kOpen, path))
        return -1;
    return real_creat(path, mode);
}

int creat64(const char* path, mode_t mode) {
    REAL(creat64);
    if (shouldFail(kOpen, path))
        return -1;
    return real_creat64(path, mode);
}

// --- close ------------------------------------------------------------------

int close(int fd) {
    REAL(close);
    if (fd > 2 && shouldFail(kClose)) {
        const int saved = errno;
        real_close(fd);
        errno = saved;
        return -1;
    }
    return real_close(fd);
}

} // extern "C"
