#pragma once
// Where the game is: the one decision the window's start-up and the command
// line's where (and every other command) share. It settles the game's
// folder and says how: the folder the user names, the settings beside the
// program, the installer's value in the registry of a Wine prefix (the
// prefix named, from $WINEPREFIX, around the program or found among the
// launchers' prefixes), else the program folder.

#include "registry/launchers/game_prefix_search.h"
#include "registry/launchers/launcher_prefixes.h"
#include "registry/registry.h"

#include <QString>

namespace quillset {

// What the decision starts from.
struct LocationRequest {
    QString programDir;    // the executable's folder
    QString gameFolder;    // --game-folder: this folder, and no registry read at all
    QString prefix;        // --prefix: this Wine prefix, before $WINEPREFIX and the search
    PrefixVariables variables; // $WINEPREFIX, $STEAM_COMPAT_DATA_PATH
    SearchPlaces places;   // where the launchers' prefixes are searched

    // $WINEPREFIX, $STEAM_COMPAT_DATA_PATH, $HOME and the XDG folders of
    // this process.
    static LocationRequest fromEnvironment(const QString& programDir);
};

// Whether a value the installer wrote for the user only is copied into the
// machine root, where the program reads it. Only the window's start-up
// copies, and only while no wineserver runs for the prefix; the commands
// never write the registry.
enum class UserValueCopy { Leave, IntoMachineRoot };

enum class GameFolderWay {
    GivenFolder,   // --game-folder
    BesideProgram, // settings.cfg beside the program (a portable copy)
    Registry,      // the installer's value mapped to a local folder
    ProgramFolder, // none of these: the program folder, which holds no game
};

// Where the installer's value was found.
enum class InstallValueRoot { None, Machine, PerUser };

struct GameLocation {
    GameFolderWay way = GameFolderWay::ProgramFolder;
    QString gameFolder; // the folder settled on, without a trailing separator
    // The prefix whose registry was read, how it was found, the search's
    // lines for debug.log and the launchers' prefixes holding the game;
    // empty for a given folder, and on Windows.
    WinePrefixChoice prefix;
    QString installValue; // as the installer wrote it, empty when none is used
    InstallValueRoot valueRoot = InstallValueRoot::None;
    // installValue as a local folder (through the prefix's drive links),
    // whether or not it exists; empty when it cannot be mapped.
    QString installFolder;
};

// The decision, on the registry of this platform: the Windows registry, or
// the chosen Wine prefix's registry files.
GameLocation resolveGameLocation(const LocationRequest& request, UserValueCopy copy);

// The decision once the prefix is chosen, reading the given registry (none:
// no value); resolveGameLocation ends here, and tests come in here with a
// registry of their own.
GameLocation locateInRegistry(const LocationRequest& request, Registry* registry,
                              WinePrefixChoice prefix, UserValueCopy copy);

} // namespace quillset
