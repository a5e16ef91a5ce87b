#pragma once
// Where Linux game launchers keep the Wine prefixes they make: Wine's own
// default, Steam (Proton), Lutris, Bottles, Heroic and PlayOnLinux.

#include <QList>
#include <QString>

namespace quillset {

// The folders a search looks in: the home folder and the XDG base folders
// for data and configuration, each absolute (an empty one is not searched).
struct SearchPlaces {
    QString home;
    QString dataHome;   // $XDG_DATA_HOME, by default home/.local/share
    QString configHome; // $XDG_CONFIG_HOME, by default home/.config

    // The defaults under home, as when no XDG variable is set.
    static SearchPlaces underHome(const QString& home);
    // From $HOME, $XDG_DATA_HOME and $XDG_CONFIG_HOME of this process; an
    // XDG variable counts only when it holds an absolute path.
    static SearchPlaces fromEnvironment();
};

// A prefix a launcher made, and what named it.
struct LauncherPrefix {
    QString path;   // the prefix folder, holding system.reg
    QString source; // the launcher and its file or folder that named the
                    // prefix, as a user reads it: "Lutris game file
                    // /home/u/.config/lutris/games/korrin.yml"
};

// The launchers' prefixes, each a folder holding system.reg, in this order:
//   1. ~/.wine;
//   2. Steam: <library>/steamapps/compatdata/*/pfx, "steamapps" spelt in
//      any case, of each library: the main ones ($XDG_DATA_HOME/Steam,
//      ~/.steam/steam, the Flatpak's two, the Snap's two) and those their
//      steamapps/libraryfolders.vdf and config/libraryfolders.vdf list;
//   3. Lutris: the prefix of each games/*.yml in $XDG_CONFIG_HOME/lutris,
//      $XDG_DATA_HOME/lutris and the Flatpak's data and config folders; for
//      a file naming only its program ("exe"), the nearest folder above the
//      program that holds system.reg itself or in "prefix" or "pfx";
//   4. Bottles: each bottle in $XDG_DATA_HOME/bottles/bottles, in the
//      custom_bottles_path of $XDG_DATA_HOME/bottles/data.yml, and the same
//      two in the Flatpak's data folder; a bottle's placeholder.yml names
//      its real place ("Path");
//   5. Heroic: the winePrefix of each GamesConfig/*.json in
//      $XDG_CONFIG_HOME/heroic and the Flatpak's, then each folder in
//      ~/Games/Heroic/Prefixes and its default folder; a named folder
//      without system.reg whose "pfx" has one (Proton's layout) stands for
//      that "pfx";
//   6. PlayOnLinux: each folder in ~/.PlayOnLinux/wineprefix.
// A folder met twice (through links, or named by two launchers) is listed
// once, where it was first met. Launcher files that are not regular files,
// larger than 1 MiB, unreadable or broken name nothing. Only reads.
QList<LauncherPrefix> launcherPrefixes(const SearchPlaces& places);

} // namespace quillset
