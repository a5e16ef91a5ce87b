#pragma once
// The game's folder and the files Quillset keeps there, each named here and
// nowhere else: settings.cfg (the game's own), settings.bck (its backup,
// made before the first write when there is none) and accounts.cfg. The
// folder is the one the resolver settled on (resolveGameLocation), for the
// window and the commands alike.

#include "registry/game_location.h"
#include "shell/running_game.h"

#include <QString>
#include <optional>

namespace quillset {

struct GameFiles {
    QString folder;     // the game's folder; empty before it is known
    QString winePrefix; // the Wine prefix the game runs in; empty: none

    static GameFiles of(const GameLocation& location);

    QString settings() const;
    QString backup() const;
    QString accounts() const;

    bool hasBackup() const;
    // The path is the game's own settings file, which the game overwrites
    // when it quits (not a copy the user saves elsewhere).
    bool isGameSettings(const QString& path) const;

    // The first process other than this one (ownPid, ownExecutable) that
    // runs from the game folder, Wine's Windows paths mapped through the
    // prefix; nothing when none does.
    std::optional<RunningProcess> runningGame(const ProcessTable& table, qint64 ownPid,
                                              const QString& ownExecutable) const;
};

} // namespace quillset
