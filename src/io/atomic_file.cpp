#include "io/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillset {

namespace {

#ifdef Q_OS_UNIX
// QSaveFile ignores the result of its own sync; a failed sync means the data
// may not be on disk, so it must count as a failed write.
std::optional<QString> syncHandle(int fd) {
    if (fd < 0 || ::fsync(fd) == 0)
        return std::nullopt;
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The replacement is a new file, owned by whoever saves. Root saving a
// user's file would make it root's, and the game, run by the user, could no
// longer write its own settings: keep the old owner and group where the
// system allows it (always for root, the group only for others).
void keepOwner(const QFileInfo& target, int fd) {
    struct stat st {};
    if (fd < 0 || ::stat(QFile::encodeName(target.filePath()).constData(), &st) != 0)
        return;
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        }
    }
}

// Makes the rename itself durable. Best effort: some file systems refuse it.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A link whose chain of links comes back to itself never reaches a file.
bool isLinkLoop(const QFileInfo& target) {
    struct stat st {};
    return ::stat(QFile::encodeName(target.filePath()).constData(), &st) != 0 && errno == ELOOP;
}
#endif

std::optional<QString> checkTarget(const QFileInfo& target) {
    if (target.isSymLink() && !target.exists()) {
#ifdef Q_OS_UNIX
        if (isLinkLoop(target))
            return QStringLiteral("it is a link in a loop of links that never reaches a file");
#endif
        return QStringLiteral("it is a link to a file that does not exist");
    }
    if (target.exists() && !target.isFile())
        return target.isDir() ? QStringLiteral("it is a folder")
                              : QStringLiteral("it is not a regular file");
    // No write permission for anyone means the file was made read-only on
    // purpose. Root could still replace it (QSaveFile only asks whether this
    // process may write), so the file's own flags decide.
    constexpr QFileDevice::Permissions kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (target.exists() && !(target.permissions() & kAnyWrite))
        return QStringLiteral("it is read-only");
    const QFileInfo folder(target.absolutePath());
    const QString folderName = QDir::toNativeSeparators(folder.absoluteFilePath());
    if (!folder.isDir())
        return QStringLiteral("the folder %1 does not exist").arg(folderName);
#ifdef Q_OS_UNIX
    // The same for its folder. (Windows sets the read-only flag on folders
    // for its own purposes, without keeping anyone from writing there.)
    if (!(folder.permissions() & kAnyWrite))
        return QStringLiteral("the folder %1 is read-only").arg(folderName);
#endif
    return std::nullopt;
}

} // namespace

std::optional<QString> whyNotReplaceable(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("no file name was given");
    return checkTarget(QFileInfo(path));
}

std::optional<QString> writeFileAtomically(const QString& path, QByteArrayView data,
                                           AtomicWriteOptions options) {
    if (auto problem = whyNotReplaceable(path))
        return problem;
    const QFileInfo target(path);

    QSaveFile file(path);
    // Unbuffered: every write reaches the system at once, so a full disk's
    // short write is followed by one that fails with the system's reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
#ifdef Q_OS_UNIX
    keepOwner(target, file.handle());
#endif
    if (options.ownerOnly &&
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return QStringLiteral("its access rights could not be restricted");
    }
    // Qt reports a short write as a success without a reason: write the rest
    // until all is written or a write fails and says why.
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 n = file.write(data.data() + written, data.size() - written);
        if (n <= 0)
            break;
        written += n;
    }
    if (written < data.size() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
#ifdef Q_OS_UNIX
    if (auto reason = syncHandle(file.handle())) {
        file.cancelWriting();
        return reason;
    }
#endif
    if (options.beforeRename && !options.beforeRename()) {
        file.cancelWriting();
        return QStringLiteral("it changed while it was being written");
    }
    if (!file.commit())
        return file.errorString();
#ifdef Q_OS_UNIX
    syncFolder(target.absolutePath());
#endif
    return std::nullopt;
}

} // namespace quillset
