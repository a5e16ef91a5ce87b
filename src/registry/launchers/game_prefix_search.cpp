#include "registry/launchers/game_prefix_search.h"

#include "registry/wine_prefix.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <limits>

namespace quillset {

namespace {

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
