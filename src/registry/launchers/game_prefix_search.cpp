#include "registry/launchers/game_prefix_search.h"

#include "io/file_helpers.h"
#include "registry/registry.h"
#include "registry/wine_prefix.h"
#include "registry/wine_registry.h"
#include "registry/wine_registry_excerpt.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <limits>

namespace quillset {

namespace {

// Far above a real prefix's registry (a fresh one's system.reg is under
// 2 MB), so one stray huge file among many prefixes costs little.
constexpr qint64 kMaxSearchedHiveBytes = qint64(64) << 20;

QString installValue(const QString& prefix, RegistryRoot root) {
    const QString hive =
        QDir(prefix).filePath(root == RegistryRoot::LocalMachine ? QStringLiteral("system.reg")
                                                                 : QStringLiteral("user.reg"));
    const std::optional<QByteArray> bytes = readRegularFile(hive, kMaxSearchedHiveBytes);
    if (!bytes)
        return {};
    const std::optional<RegistryValue> value = wineHiveValue(
        wineRegistryExcerpt(*bytes, kInstallKeyPath), root, kInstallKeyPath, kInstallValueName);
    return value ? registryValueText(value->type, value->data, value->text) : QString();
}

// When the game's settings last changed; a game without settings is oldest.
qint64 settingsAge(const QString& gameFolder) {
    const QFileInfo settings(QDir(gameFolder).filePath(QStringLiteral("settings.cfg")));
    if (!settings.isFile())
        return std::numeric_limits<qint64>::min();
    return settings.lastModified().toMSecsSinceEpoch();
}

QString traceLine(const QString& text, const QString& path = {}) {
    return QStringLiteral("Registry -> ") + text + QDir::toNativeSeparators(path);
}

} // namespace

std::optional<QString> gameFolderInPrefix(const QString& prefix) {
    QString value = installValue(prefix, RegistryRoot::LocalMachine);
    if (value.isEmpty())
        value = installValue(prefix, RegistryRoot::CurrentUser);
    if (value.isEmpty())
        return std::nullopt;
    const QString folder = wineToLocalPath(prefix, value);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return std::nullopt;
    return folder;
}

WinePrefixChoice searchLauncherPrefixes(const SearchPlaces& places) {
    WinePrefixChoice choice;
    qint64 newest = 0;
    for (const QString& prefix : launcherPrefixes(places)) {
        const std::optional<QString> game = gameFolderInPrefix(prefix);
        if (!game)
            continue;
        choice.trace.append(traceLine(QStringLiteral("Game found in Wine prefix "), prefix));
        const qint64 age = settingsAge(*game);
        if (choice.prefix.isEmpty() || age > newest) {
            choice.prefix = prefix;
            newest = age;
        }
    }
    if (choice.prefix.isEmpty()) {
        choice.trace.append(traceLine(QStringLiteral("No Wine prefix holds the game")));
        const QString wine =
            places.home.isEmpty() ? QString() : places.home + QStringLiteral("/.wine");
        if (!wine.isEmpty() && QFileInfo(wine).isDir())
            choice.prefix = QDir::cleanPath(wine);
    }
    if (!choice.prefix.isEmpty())
        choice.trace.append(traceLine(QStringLiteral("Using Wine prefix "), choice.prefix));
    return choice;
}

WinePrefixChoice chooseWinePrefix(const QString& programDir, const QString& winePrefixEnv,
                                  const SearchPlaces& places) {
    if (!winePrefixEnv.isEmpty())
        return {QDir::isAbsolutePath(winePrefixEnv) ? QDir::cleanPath(winePrefixEnv) : QString(),
                {}};
    if (QString around = prefixAroundFolder(programDir); !around.isEmpty())
        return {around, {}};
    return searchLauncherPrefixes(places);
}

} // namespace quillset
