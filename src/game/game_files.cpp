#include "game/game_files.h"

#include "accounts/account_store.h"
#include "io/file_helpers.h"
#include "registry/wine_prefix.h"
#include "settings/key_catalogue.h"
#include "shell/backup.h"

#include <QDir>
#include <QFileInfo>

namespace quillset {

namespace {

QString canonicalFolder(const QString& folder) {
    return QDir(QDir::fromNativeSeparators(folder)).canonicalPath();
}

} // namespace

GameFiles GameFiles::of(const GameLocation& location) {
    return {location.gameFolder, location.prefix.prefix};
}

QString GameFiles::settings() const {
    return joinPath(folder, QLatin1String(kSettingsFileName));
}

QString GameFiles::backup() const {
    return joinPath(folder, QLatin1String(kBackupFileName));
}

QString GameFiles::accounts() const {
    return accountFilePath(folder);
}

bool GameFiles::hasBackup() const {
    return fileExists(backup());
}

bool GameFiles::isGameSettings(const QString& path) const {
    const QString own = canonicalFolder(folder);
    return !own.isEmpty() && canonicalFolder(QFileInfo(path).absolutePath()) == own &&
           QFileInfo(path).fileName() == QLatin1String(kSettingsFileName);
}

std::optional<RunningProcess> GameFiles::runningGame(const ProcessTable& table, qint64 ownPid,
                                                     const QString& ownExecutable) const {
    const QString prefix = winePrefix;
    const WindowsPathMapper wine = [prefix](const QString& windowsPath) {
        return prefix.isEmpty() ? QString() : wineToLocalPath(prefix, windowsPath);
    };
    return findGameProcess(table, folder, wine, ownPid, ownExecutable);
}

} // namespace quillset
