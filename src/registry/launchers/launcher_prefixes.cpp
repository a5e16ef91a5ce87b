#include "registry/launchers/launcher_prefixes.h"

#include "io/file_helpers.h"
#include "registry/launchers/launcher_configs.h"

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

// What the launcher file at path names; nothing when it cannot be read.
NamedPaths namedIn(LauncherFile kind, const QString& path, const QString& home) {
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxLauncherFileBytes);
    return bytes ? launcherFilePaths(kind, *bytes, home) : NamedPaths();
}

// folder/name, or else the entry of folder whose name equals name ignoring
// case (the first in name order), as Steam finds its folders on a drive
// that ignores case. folder/name when neither exists.
QString childIgnoringCase(const QString& folder, const QString& name) {
    const QString exact = under(folder, name);
    if (exact.isEmpty() || QFileInfo::exists(exact))
        return exact;
    const QDir dir(folder);
    for (const QString& entry : dir.entryList(
             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return exact;
}

bool isFolder(const QString& path) {
    return QFileInfo(path).isDir();
}

bool holdsRegistry(const QString& path) {
    return QFileInfo(path + QStringLiteral("/system.reg")).isFile();
}

// Collects folders once each, by their canonical path, with what named
// them; folders that do not exist (or fail the filter) are dropped.
class FolderList {
public:
    explicit FolderList(bool (*accept)(const QString&)) : accept_(accept) {}

    void add(const QString& path, const QString& source = {}) {
        if (path.isEmpty() || !accept_(path))
            return;
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty() || seen_.contains(canonical))
            return;
        seen_.insert(canonical);
        folders_.append({QDir::cleanPath(path), source});
    }
    void add(const QStringList& paths, const QString& source) {
        for (const QString& path : paths)
            add(path, source);
    }
    const QList<LauncherPrefix>& folders() const { return folders_; }

private:
    bool (*accept_)(const QString&);
    QSet<QString> seen_;
    QList<LauncherPrefix> folders_;
};

// Steam's own folders: the native one, Debian's link to it, the Flatpak's
// two and the Snap's two.
QStringList steamMainFolders(const SearchPlaces& places) {
    const QString flatpak = under(places.home, QStringLiteral(".var/app/com.valvesoftware.Steam"));
    return {under(places.dataHome, QStringLiteral("Steam")),
            under(places.home, QStringLiteral(".steam/steam")),
            under(flatpak, QStringLiteral(".local/share/Steam")),
            under(flatpak, QStringLiteral("data/Steam")),
            under(places.home, QStringLiteral("snap/steam/common/.local/share/Steam")),
            under(places.home, QStringLiteral(".snap/data/steam/common/.local/share/Steam"))};
}

QStringList steamLibraries(const SearchPlaces& places) {
    FolderList libraries(isFolder);
    for (const QString& main : steamMainFolders(places)) {
        if (main.isEmpty() || !isFolder(main))
            continue;
        libraries.add(main);
        // Steam keeps its list of libraries in steamapps/ and in config/,
        // on some machines only in one of them: both are read.
        for (const QString& list :
             {childIgnoringCase(main, QStringLiteral("steamapps")) + "/libraryfolders.vdf",
              main + QStringLiteral("/config/libraryfolders.vdf")}) {
            libraries.add(namedIn(LauncherFile::SteamLibraries, list, places.home).folders, {});
        }
    }
    QStringList paths;
    for (const LauncherPrefix& library : libraries.folders())
        paths.append(library.path);
    return paths;
}

void addSteamPrefixes(FolderList& prefixes, const SearchPlaces& places) {
    for (const QString& library : steamLibraries(places)) {
        // Older libraries, and those on drives that ignore case, spell it SteamApps.
        const QString steamapps = childIgnoringCase(library, QStringLiteral("steamapps"));
        for (const QString& game : subfolders(steamapps + QStringLiteral("/compatdata"))) {
            prefixes.add(game + QStringLiteral("/pfx"),
                         QStringLiteral("Steam library %1 (compatdata %2)")
                             .arg(steamapps, QFileInfo(game).fileName()));
        }
    }
}

// As Lutris finds the prefix of a game file that names only its program:
// the nearest folder above the program that is a prefix or holds one in a
// "prefix" or "pfx" folder. Only looks; empty when it meets none up to "/".
QString prefixAboveProgram(const QString& exe) {
    for (QString folder = QFileInfo(exe).path();; folder = QFileInfo(folder).path()) {
        const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + '/';
        for (const QString& name : {QString(), QStringLiteral("prefix"), QStringLiteral("pfx")}) {
            if (holdsRegistry(base + name))
                return QDir::cleanPath(base + name);
        }
        if (folder == QLatin1String("/") || folder == QLatin1String("."))
            return {};
    }
}

void addLutrisPrefixes(FolderList& prefixes, const SearchPlaces& places) {
    // Native Lutris kept its game files in $XDG_CONFIG_HOME, newer versions
    // in $XDG_DATA_HOME; the Flatpak's have the same two places of its own.
    const QString flatpak = under(places.home, QStringLiteral(".var/app/net.lutris.Lutris"));
    for (const QString& base :
         {places.configHome, places.dataHome, under(flatpak, QStringLiteral("data")),
          under(flatpak, QStringLiteral("config"))}) {
        for (const QString& file :
             filesEndingIn(under(base, QStringLiteral("lutris/games")), QStringLiteral(".yml"))) {
            const NamedPaths game = namedIn(LauncherFile::LutrisGame, file, places.home);
            const QString source = QStringLiteral("Lutris game file ") + file;
            prefixes.add(game.folders, source);
            if (!game.program.isEmpty())
                prefixes.add(prefixAboveProgram(game.program),
                             source + QStringLiteral(" (above its exe)"));
        }
    }
}

// Every bottle in a bottles folder. A bottle made at a path of its own
// leaves only <name>/placeholder.yml there, whose "Path" says where it is.
void addBottles(FolderList& prefixes, const QString& folder, const QString& source,
                const QString& home) {
    for (const QString& bottle : subfolders(folder)) {
        prefixes.add(bottle, source);
        const QString placeholder = bottle + QStringLiteral("/placeholder.yml");
        prefixes.add(namedIn(LauncherFile::BottlesPlaceholder, placeholder, home).folders,
                     QStringLiteral("Bottles placeholder ") + placeholder);
    }
}

void addBottlesPrefixes(FolderList& prefixes, const SearchPlaces& places) {
    for (const QString& data :
         {under(places.dataHome, QStringLiteral("bottles")),
          under(places.home, QStringLiteral(".var/app/com.usebottles.bottles/data/bottles"))}) {
        const QString folder = under(data, QStringLiteral("bottles"));
        addBottles(prefixes, folder, QStringLiteral("Bottles folder ") + folder, places.home);
        // The bottles folder chosen in Bottles' preferences.
        const QString dataFile = under(data, QStringLiteral("data.yml"));
        for (const QString& custom :
             namedIn(LauncherFile::BottlesData, dataFile, places.home).folders) {
            addBottles(prefixes, custom,
                       QStringLiteral("Bottles folder %1 (custom_bottles_path in %2)")
                           .arg(custom, dataFile),
                       places.home);
        }
    }
}

// Heroic runs a game with Proton in Proton's layout, the Wine prefix being
// the "pfx" folder of the one it names.
QString heroicPrefix(const QString& folder) {
    const QString pfx = under(folder, QStringLiteral("pfx"));
    return !pfx.isEmpty() && !holdsRegistry(folder) && holdsRegistry(pfx) ? pfx : folder;
}

void addHeroicPrefixes(FolderList& prefixes, const SearchPlaces& places) {
    for (const QString& config :
         {places.configHome,
          under(places.home, QStringLiteral(".var/app/com.heroicgameslauncher.hgl/config"))}) {
        for (const QString& file : filesEndingIn(
                 under(config, QStringLiteral("heroic/GamesConfig")), QStringLiteral(".json"))) {
            for (const QString& prefix :
                 namedIn(LauncherFile::HeroicGame, file, places.home).folders) {
                prefixes.add(heroicPrefix(prefix), QStringLiteral("Heroic game file ") + file);
            }
        }
    }
    const QString folder = under(places.home, QStringLiteral("Games/Heroic/Prefixes"));
    for (const QString& prefixesFolder : {folder, under(folder, QStringLiteral("default"))}) {
        for (const QString& prefix : subfolders(prefixesFolder))
            prefixes.add(heroicPrefix(prefix),
                         QStringLiteral("Heroic prefixes folder ") + prefixesFolder);
    }
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
    if (isAbsoluteFilePath(dataHome))
        places.dataHome = QDir::cleanPath(dataHome);
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (isAbsoluteFilePath(configHome))
        places.configHome = QDir::cleanPath(configHome);
    return places;
}

QList<LauncherPrefix> launcherPrefixes(const SearchPlaces& places) {
    FolderList prefixes(holdsRegistry);
    prefixes.add(under(places.home, QStringLiteral(".wine")),
                 QStringLiteral("Wine default ~/.wine"));
    addSteamPrefixes(prefixes, places);
    addLutrisPrefixes(prefixes, places);
    addBottlesPrefixes(prefixes, places);
    addHeroicPrefixes(prefixes, places);
    const QString playOnLinux = under(places.home, QStringLiteral(".PlayOnLinux/wineprefix"));
    prefixes.add(subfolders(playOnLinux), QStringLiteral("PlayOnLinux folder ") + playOnLinux);
    return prefixes.folders();
}

} // namespace quillset
