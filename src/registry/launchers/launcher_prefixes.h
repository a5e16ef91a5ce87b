#pragma once
// Where Linux game launchers keep the Wine prefixes they make: Wine's own
// default, Steam (Proton), Lutris, Bottles, Heroic and PlayOnLinux.

#include <QString>
#include <QStringList>

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

// The launchers' prefixes, each a folder holding system.reg, in this order:
//   1. ~/.wine;
//   2. Steam: steamapps/compatdata/*/pfx of each library: the main ones
//      ($XDG_DATA_HOME/Steam, ~/.steam/steam, the Flatpak's two) and those
//      their steamapps/libraryfolders.vdf lists;
//   3. Lutris: the prefix of each games/*.yml in $XDG_CONFIG_HOME/lutris
//      and $XDG_DATA_HOME/lutris;
//   4. Bottles: each bottle in $XDG_DATA_HOME/bottles/bottles and the
//      Flatpak's;
//   5. Heroic: the winePrefix of each $XDG_CONFIG_HOME/heroic/GamesConfig
//      /*.json, then each folder in ~/Games/Heroic/Prefixes and its default
//      folder;
//   6. PlayOnLinux: each folder in ~/.PlayOnLinux/wineprefix.
// A folder met twice (through links, or named by two launchers) is listed
// once, where it was first met. Launcher files that are not regular files,
// larger than 1 MiB, unreadable or broken name nothing.
QStringList launcherPrefixes(const SearchPlaces& places);

} // namespace quillset
