#pragma once
// What the files of Lutris and Bottles (YAML) and Heroic (JSON) say about
// Wine prefixes. Every reader takes the file's bytes and never throws: a
// broken or foreign file names nothing.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillset {

// A path as a launcher wrote it, made absolute: a leading "~" or "~/"
// stands for home. Empty for a relative path.
QString expandPrefixPath(const QString& path, const QString& home);

// What a Lutris game file, games/<slug>.yml, says of its Wine prefix.
struct LutrisGame {
    QString prefix; // "prefix" under "game", else at the top of the file
    QString exe;    // "exe" under "game": the program Lutris starts
};
LutrisGame lutrisGame(const QByteArray& yaml);

// The text of a key at the top of a YAML mapping, such as "Path" in a
// Bottles placeholder.yml or "custom_bottles_path" in its data.yml. Empty
// when the key is missing or not a plain value.
QString yamlTopText(const QByteArray& yaml, const char* key);

// Heroic's GamesConfig/<app>.json: one object per game, each possibly with
// "winePrefix"; a "winePrefix" at the top of the file counts too (first).
QStringList heroicPrefixes(const QByteArray& json);

// The launchers' files that name folders.
enum class LauncherFile {
    SteamLibraries,     // libraryfolders.vdf: Steam's libraries (absolute paths only)
    LutrisGame,         // lutris/games/<slug>.yml: the game's prefix, else its program
    BottlesPlaceholder, // a bottle's placeholder.yml: where the bottle is ("Path")
    BottlesData,        // Bottles' data.yml: its bottles folder ("custom_bottles_path")
    HeroicGame,         // heroic/GamesConfig/<app>.json: the games' prefixes
};

// What a launcher's file names, from its bytes alone, in file order: each
// path absolute and clean, relative ones dropped. The search then looks for
// them on disk; the fuzz target checks them without a disk.
struct NamedPaths {
    QStringList folders;
    QString program; // a Lutris game naming no prefix: the program it starts
};
NamedPaths launcherFilePaths(LauncherFile file, const QByteArray& bytes, const QString& home);

} // namespace quillset
