#pragma once
// Throw-away Wine prefixes for the registry tests, and a helper process that
// holds a wineserver-style lock the way a running server does.

#include "test_support.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <initializer_list>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillset::test {

// A registry file in Wine's layout: the header, Wine's comment line, the
// architecture line when given, then the lines, each ended by LF.
inline QByteArray wineRegFile(std::initializer_list<const char*> lines,
                              const char* arch = nullptr) {
    QByteArray file = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
    if (arch)
        file += QByteArray("#arch=") + arch + "\n\n";
    for (const char* line : lines)
        file += QByteArray(line) + '\n';
    return file;
}

// Makes folder a prefix folder: drive_c and the relative c: link Wine makes.
inline bool makePrefixFolder(const QString& folder) {
    const QDir root(folder);
    return root.mkpath(QStringLiteral("drive_c")) && root.mkpath(QStringLiteral("dosdevices")) &&
           ::symlink(
               "../drive_c",
               QFile::encodeName(root.filePath(QStringLiteral("dosdevices/c:"))).constData()) == 0;
}

// A throw-away prefix folder.
class TestPrefix {
public:
    TestPrefix() { makePrefixFolder(path()); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.file(name); }
    QString systemReg() const { return file(QStringLiteral("system.reg")); }
    QString userReg() const { return file(QStringLiteral("user.reg")); }
    bool writeSystem(const QByteArray& bytes) const { return writeBytes(systemReg(), bytes); }
    bool writeUser(const QByteArray& bytes) const { return writeBytes(userReg(), bytes); }

private:
    TempFolder dir_;
};

// A child process that takes a write lock on the first byte of a file, as a
// running wineserver does on its lock file, and keeps it until destroyed.
// POSIX locks belong to a process, so the test process cannot hold it itself.
class LockHolder {
public:
    explicit LockHolder(const QString& path) {
        const QByteArray name = QFile::encodeName(path);
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            const int fd = ::open(name.constData(), O_RDWR);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            lock.l_start = 0;
            lock.l_len = 1;
            const char locked = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? 1 : 0;
            [[maybe_unused]] auto sent = ::write(ready[1], &locked, 1);
            char dummy = 0;
            [[maybe_unused]] auto got =
                ::read(release[0], &dummy, 1); // returns when the parent closes
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char locked = 0;
        locked_ = pid_ > 0 && ::read(ready[0], &locked, 1) == 1 && locked == 1;
        ::close(ready[0]);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    ~LockHolder() {
        if (release_ >= 0)
            ::close(release_);
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
    }
    bool locked() const { return locked_; }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool locked_ = false;
};

} // namespace quillset::test
