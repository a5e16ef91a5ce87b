#include "registry/launchers/launcher_prefixes.h"

#include "io/file_helpers.h"
#include "registry/launchers/launcher_configs.h"
#include "registry/launchers/steam_library_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace quillset {

namespace {

// Launchers' own files are a few KB; anything far larger is not theirs.
constexpr qint64 kMaxLauncherFileBytes = qint64(1) << 20;

QString under(const QString& folder, const QString& rest) {
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + rest;
}

// The folders in folder, in name order (links to folders included).
QStringList subfolders(const QString& folder) {
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    QStringList paths;
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
        paths.append(dir.filePath(name));
    return paths;
}

// The regular files in folder whose names end in suffix, in name order;
// FIFOs, sockets and devices are not listed, so none is ever opened.
QStringList filesEndingIn(const QString& folder, const QString& suffix) {
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    QStringList paths;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (name.endsWith(suffix))
            paths.append(dir.filePath(name));
    }
    return paths;
}

std::optional<QByteArray> readLauncherFile(const QString& path) {
    return readRegularFile(path, kMaxLauncherFileBytes);
}

// Collects folders once each, by their canonical path; folders that do not
// exist (or pass the filter) are dropped.
class FolderList {
public:
    explicit FolderList(bool (*accept)(const QString&)) : accept_(accept) {}

    void add(const QString& path) {
        if (path.isEmpty() || !accept_(path))
            return;
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty() || seen_.contains(canonical))
            return;
        seen_.insert(canonical);
        paths_.append(QDir::cleanPath(path));
    }
    void add(const QStringList& paths) {
        for (const QString& path : paths)
            add(path);
    }
    const QStringList& paths() const { return paths_; }

private:
    bool (*accept_)(const QString&);
    QSet<QString> seen_;
    QStringList paths_;
};

bool isFolder(const QString& path) {
    return QFileInfo(path).isDir();
}

bool holdsRegistry(const QString& path) {
    return QFileInfo(path + QStringLiteral("/system.reg")).isFile();
}

QStringList steamLibraries(const SearchPlaces& places) {
    const QString flatpak = under(places.home, QStringLiteral(".var/app/com.valvesoftware.Steam"));
    FolderList libraries(isFolder);
    for (const QString& main : {under(places.dataHome, QStringLiteral("Steam")),
                                under(places.home, QStringLiteral(".steam/steam")),
                                under(flatpak, QStringLiteral(".local/share/Steam")),
                                under(flatpak, QStringLiteral("data/Steam"))}) {
        if (main.isEmpty() || !isFolder(main))
            continue;
        libraries.add(main);
        const std::optional<QByteArray> vdf =
            readLauncherFile(main + QStringLiteral("/steamapps/libraryfolders.vdf"));
        if (!vdf)
            continue;
        for (const QString& path : steamLibraryPaths(*vdf)) {
            if (QDir::isAbsolutePath(path))
                libraries.add(path);
        }
    }
    return libraries.paths();
}

void addSteamPrefixes(FolderList& prefixes, const SearchPlaces& places) {
    for (const QString& library : steamLibraries(places)) {
        for (const QString& game : subfolders(library + QStringLiteral("/steamapps/compatdata")))
            prefixes.add(game + QStringLiteral("/pfx"));
    }
}

void addLutrisPrefixes(FolderList& prefixes, const SearchPlaces& places) {
    for (const QString& base : {places.configHome, places.dataHome}) {
        for (const QString& file :
             filesEndingIn(under(base, QStringLiteral("lutris/games")), QStringLiteral(".yml"))) {
            if (const std::optional<QByteArray> yaml = readLauncherFile(file))
                prefixes.add(expandPrefixPath(lutrisPrefix(*yaml), places.home));
        }
    }
}

void addBottlesPrefixes(FolderList& prefixes, const SearchPlaces& places) {
    prefixes.add(subfolders(under(places.dataHome, QStringLiteral("bottles/bottles"))));
    prefixes.add(subfolders(under(
        places.home, QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles"))));
}

void addHeroicPrefixes(FolderList& prefixes, const SearchPlaces& places) {
    for (const QString& file :
         filesEndingIn(under(places.configHome, QStringLiteral("heroic/GamesConfig")),
                       QStringLiteral(".json"))) {
        const std::optional<QByteArray> json = readLauncherFile(file);
        if (!json)
            continue;
        for (const QString& prefix : heroicPrefixes(*json))
            prefixes.add(expandPrefixPath(prefix, places.home));
    }
    const QString folder = under(places.home, QStringLiteral("Games/Heroic/Prefixes"));
    prefixes.add(subfolders(folder));
    prefixes.add(subfolders(under(folder, QStringLiteral("default"))));
}

} // namespace

SearchPlaces SearchPlaces::underHome(const QString& home) {
    if (home.isEmpty())
        return {};
    return {home, home + QStringLiteral("/.local/share"), home + QStringLiteral("/.config")};
}

SearchPlaces SearchPlaces::fromEnvironment() {
    SearchPlaces places = underHome(QDir::homePath());
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(dataHome))
        places.dataHome = QDir::cleanPath(dataHome);
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(configHome))
        places.configHome = QDir::cleanPath(configHome);
    return places;
}

QStringList launcherPrefixes(const SearchPlaces& places) {
    FolderList prefixes(holdsRegistry);
    prefixes.add(under(places.home, QStringLiteral(".wine")));
    addSteamPrefixes(prefixes, places);
    addLutrisPrefixes(prefixes, places);
    addBottlesPrefixes(prefixes, places);
    addHeroicPrefixes(prefixes, places);
    prefixes.add(subfolders(under(places.home, QStringLiteral(".PlayOnLinux/wineprefix"))));
    return prefixes.paths();
}

} // namespace quillset
