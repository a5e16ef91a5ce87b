#include "app/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

// Makes the rename itself durable. Best effort: some file systems refuse it.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

std::optional<QString> checkTarget(const QFileInfo& target) {
    if (target.isSymLink() && !target.exists())
        return QStringLiteral("it is a link to a file that does not exist");
    if (target.exists() && !target.isFile())
        return target.isDir() ? QStringLiteral("it is a folder")
                              : QStringLiteral("it is not a regular file");
    if (!target.absoluteDir().exists())
        return QStringLiteral("the folder %1 does not exist")
            .arg(QDir::toNativeSeparators(target.absolutePath()));
    return std::nullopt;
}

} // namespace

std::optional<QString> writeFileAtomically(const QString& path, QByteArrayView data,
                                           AtomicWriteOptions options) {
    if (path.isEmpty())
        return QStringLiteral("no file name was given");
    const QFileInfo target(path);
    if (auto problem = checkTarget(target))
        return problem;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (options.ownerOnly &&
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return QStringLiteral("its access rights could not be restricted");
    }
    // QSaveFile buffers small writes; a failed final flush (disk full) would
    // otherwise go unnoticed by commit(), so flush and check explicitly.
    if (file.write(data.data(), data.size()) != data.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
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
    if (!file.commit())
        return file.errorString();
#ifdef Q_OS_UNIX
    syncFolder(target.absolutePath());
#endif
    return std::nullopt;
}

} // namespace quillset
