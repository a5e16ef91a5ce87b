#include "registry/wine_prefix.h"

#include "io/file_helpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillset {

namespace {

bool holdsPrefix(const QDir& dir) {
    return QFileInfo(dir.filePath(QStringLiteral("system.reg"))).isFile() &&
           QFileInfo(dir.filePath(QStringLiteral("drive_c"))).isDir();
}

QString childPath(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The folder a drive letter stands for; a relative link target is relative
// to the dosdevices folder, which QFileInfo resolves.
QString driveFolder(const QString& prefix, QChar letter) {
    const QString link =
        prefix + QStringLiteral("/dosdevices/") + letter.toLower() + QLatin1Char(':');
    const QFileInfo info(link);
    if (info.isSymLink())
        return QDir::cleanPath(info.symLinkTarget());
    if (info.isDir())
        return info.absoluteFilePath();
    return {};
}

// The entry of folder whose name equals part ignoring case; the first in
// name order when several do. Empty when none does.
QString entryIgnoringCase(const QString& folder, const QString& part) {
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(part, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

bool isDriveLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

QString stripDevicePrefix(const QString& path) {
    for (const QLatin1String prefix : {QLatin1String("\\\\?\\"), QLatin1String("\\??\\")}) {
        if (path.startsWith(prefix))
            return path.mid(prefix.size());
    }
    return path;
}

} // namespace

QString prefixAroundFolder(const QString& folder) {
    if (folder.isEmpty())
        return {};
    QDir dir(QFileInfo(folder).absoluteFilePath());
    do {
        if (holdsPrefix(dir))
            return dir.absolutePath();
    } while (dir.cdUp());
    return {};
}

QStringList wineServerLockPaths(const QString& prefix) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (prefix.isEmpty() || ::stat(QFile::encodeName(prefix).constData(), &info) != 0)
        return {};
    const QString serverDir = QStringLiteral("server-%1-%2")
                                  .arg(static_cast<qulonglong>(info.st_dev), 0, 16)
                                  .arg(static_cast<qulonglong>(info.st_ino), 0, 16);
    const auto lockIn = [&](const QString& folder) {
        return folder + QLatin1Char('/') + serverDir + QStringLiteral("/lock");
    };
    QStringList paths{lockIn(QStringLiteral("/tmp/.wine-%1").arg(::getuid()))};

    // The server of Debian's Wine makes its folder in its own $TMPDIR, which
    // may differ from ours: look in ours and in /tmp.
    const std::optional<QByteArray> recorded =
        readRegularFile(QDir(prefix).filePath(QStringLiteral("wineserver")), 4096);
    const QString name = recorded ? QFile::decodeName(recorded->trimmed()) : QString();
    if (!name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".") &&
        name != QLatin1String("..")) {
        QStringList tempFolders{QStringLiteral("/tmp")};
        const QString tmpDir = qEnvironmentVariable("TMPDIR");
        if (isAbsoluteFilePath(tmpDir) && QDir::cleanPath(tmpDir) != tempFolders.front())
            tempFolders.prepend(QDir::cleanPath(tmpDir));
        for (const QString& folder : tempFolders)
            paths.append(lockIn(folder + QLatin1Char('/') + name));
    }
    return paths;
#else
    Q_UNUSED(prefix);
    return {};
#endif
}

namespace {

#ifdef Q_OS_UNIX
// The server holds a write lock on the first byte of its lock file for as
// long as it runs.
bool lockHeld(const QString& lockPath) {
    const int fd = ::open(QFile::encodeName(lockPath).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return !(errno == ENOENT || errno == ENOTDIR);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 1;
    const bool tested = ::fcntl(fd, F_GETLK, &lock) == 0;
    ::close(fd);
    return !tested || lock.l_type != F_UNLCK;
}
#endif

} // namespace

bool wineServerRunning(const QString& prefix) {
#ifdef Q_OS_UNIX
    const QStringList lockPaths = wineServerLockPaths(prefix);
    return std::any_of(lockPaths.begin(), lockPaths.end(), lockHeld);
#else
    Q_UNUSED(prefix);
    return true;
#endif
}

QString wineToLocalPath(const QString& prefix, const QString& windowsPath) {
    QString path = stripDevicePrefix(windowsPath);
    if (prefix.isEmpty() || path.size() < 2 || path[1] != QLatin1Char(':') ||
        !isDriveLetter(path[0]))
        return {};
    const QString drive = driveFolder(prefix, path[0]);
    if (drive.isEmpty())
        return {};

    // Windows resolves "." and ".." by name, before it looks at the disk.
    QStringList parts;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    for (const QString& part : path.mid(2).split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }

    // Below a name that names nothing, not even ignoring case, nothing can
    // exist: the rest is taken as written, without looking at the disk.
    QString current = drive;
    bool onDisk = true;
    for (const QString& part : parts) {
        QString name = part;
        if (!canBeFileName(part))
            onDisk = false;
        if (onDisk && !QFileInfo::exists(childPath(current, part))) {
            const QString match = entryIgnoringCase(current, part);
            if (!match.isEmpty())
                name = match;
            else
                onDisk = false;
        }
        // Appended in place: a long path would otherwise be copied once a part.
        if (!current.endsWith(QLatin1Char('/')))
            current += QLatin1Char('/');
        current += name;
    }
    return current;
}

} // namespace quillset
