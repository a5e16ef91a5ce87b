#include "shell/running_game.h"

#include "io/file_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace quillset {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;

// A drive path ("C:\Games", "Z:/home") or a device path ("\\?\C:\...").
bool isWindowsPath(const QString& path) {
    if (path.startsWith(QLatin1String("\\\\?\\")) || path.startsWith(QLatin1String("\\??\\")))
        return true;
    return path.size() >= 3 && path[0].isLetter() && path[0].unicode() < 128 &&
           path[1] == QLatin1Char(':') &&
           (path[2] == QLatin1Char('\\') || path[2] == QLatin1Char('/'));
}
#endif

// The path as a local path, or empty when it does not name one; a relative
// path is not one here (see relativeName).
QString localPath(const QString& path, const WindowsPathMapper& mapWindowsPath) {
#ifdef Q_OS_WIN
    Q_UNUSED(mapWindowsPath);
    return isAbsoluteFilePath(QDir::fromNativeSeparators(path)) ? path : QString();
#else
    if (path.startsWith(QLatin1Char('/')))
        return path;
    if (!isWindowsPath(path) || !mapWindowsPath)
        return {};
    const QString mapped = mapWindowsPath(path);
    return mapped.startsWith(QLatin1Char('/')) ? mapped : QString();
#endif
}

#ifndef Q_OS_WIN
// A relative path as a process shows its first argument ("Korrin.exe",
// ".\\Korrin.exe"), with '/' between its names; empty for any other.
QString relativeName(const QString& path) {
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || isWindowsPath(path))
        return {};
    return QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
}
#endif

// Resolves the links in local paths, each path and each folder once per
// scan: most processes share a few executables in a few folders. A folder
// costs a walk over its parts, a file in it only a look at whether it is a
// link itself; a file that is gone (a game updated while it runs still runs
// from its old, deleted file) keeps its name in its resolved folder, which
// is all the comparison needs. Links that loop resolve to nothing and the
// path is kept as written.
class PathResolver {
public:
    explicit PathResolver(const WindowsPathMapper& mapWindowsPath)
        : mapWindowsPath_(mapWindowsPath) {}

    // A path as the process shows it, resolved; empty when it is no path.
    QString resolveShown(const QString& path) {
        if (path.isEmpty())
            return {};
        if (const auto known = shown_.constFind(path); known != shown_.cend())
            return *known;
        const QString local = localPath(path, mapWindowsPath_);
        const QString resolved = local.isEmpty() ? QString() : resolve(local);
        shown_.insert(path, resolved);
        return resolved;
    }

    QString resolve(const QString& local) {
        const QFileInfo clean(QDir::cleanPath(local));
        const QString name = clean.fileName();
        if (name.isEmpty()) // the root
            return canonicalOrSame(clean.filePath());
        const QString folder = resolveFolder(clean.path());
        const QString path =
            folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
        // A launcher's link to the game, say.
        return canBeFileName(path) && QFileInfo(path).isSymbolicLink() ? canonicalOrSame(path)
                                                                       : path;
    }

private:
    static QString canonicalOrSame(const QString& path) {
        if (!canBeFileName(path))
            return path;
        const QString canonical = QFileInfo(path).canonicalFilePath();
        return canonical.isEmpty() ? path : canonical;
    }

    QString resolveFolder(const QString& folder) {
        if (const auto known = folders_.constFind(folder); known != folders_.cend())
            return *known;
        const QString resolved = canonicalOrSame(folder);
        folders_.insert(folder, resolved);
        return resolved;
    }

    const WindowsPathMapper& mapWindowsPath_;
    QHash<QString, QString> shown_;
    QHash<QString, QString> folders_;
};

// Equal to the folder or below it, at a separator: /games/Korrin2 is not
// inside /games/Korrin.
bool liesInside(const QString& path, const QString& folder) {
    if (path.isEmpty())
        return false;
    if (path.compare(folder, kPathCase) == 0)
        return true;
    return folder.endsWith(QLatin1Char('/'))
               ? path.startsWith(folder, kPathCase)
               : path.size() > folder.size() && path[folder.size()] == QLatin1Char('/') &&
                     path.startsWith(folder, kPathCase);
}

} // namespace

std::optional<RunningProcess> findGameProcess(const ProcessTable& table, const QString& gameFolder,
                                              const WindowsPathMapper& mapWindowsPath,
                                              qint64 ownPid, const QString& ownExecutable) {
    if (gameFolder.isEmpty())
        return std::nullopt;
    PathResolver resolver(mapWindowsPath);
    const QString folder = resolver.resolve(gameFolder);
    const QString own = ownExecutable.isEmpty() ? QString() : resolver.resolve(ownExecutable);
    for (const RunningProcess& process : table.processes()) {
        if (process.pid == ownPid)
            continue;
        const QString executable = resolver.resolveShown(process.executable);
        // Another copy of this program (a portable one in the game folder) is
        // not the game.
        if (!own.isEmpty() && executable.compare(own, kPathCase) == 0)
            continue;
        if (liesInside(executable, folder) ||
            liesInside(resolver.resolveShown(process.firstArgument), folder))
            return process;
#ifndef Q_OS_WIN
        // A relative name counts from where the process works; most are
        // names such as "bash", found along $PATH, which name no file there.
        const QString name = relativeName(process.firstArgument);
        const QString cwd = name.isEmpty() ? QString() : table.currentFolder(process.pid);
        if (cwd.isEmpty())
            continue;
        const QString argument = resolver.resolve(cwd + QLatin1Char('/') + name);
        if (liesInside(argument, folder) && canBeFileName(argument) &&
            QFileInfo(argument).isFile())
            return process;
#endif
    }
    return std::nullopt;
}

} // namespace quillset
