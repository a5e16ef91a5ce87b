#pragma once
// Which Wine prefix holds the game: the one the user names, the one around
// the program, else the one a launcher made that holds the game.

#include "registry/launchers/game_in_prefix.h"
#include "registry/launchers/launcher_prefixes.h"

#include <QString>
#include <QStringList>

namespace quillset {

struct WinePrefixChoice {
    QString prefix;    // empty: no prefix
    QStringList trace; // for the debug log; empty unless launchers were searched
};

// Among the launchers' prefixes (launcherPrefixes), the one holding the game
// whose settings.cfg changed last (a game folder without one counts as
// oldest; on a tie the first listed wins). When none holds the game,
// places.home/.wine if that folder exists, else none.
WinePrefixChoice searchLauncherPrefixes(const SearchPlaces& places);

// The prefix the program uses:
//   1. winePrefixEnv when set: the prefix if it is an absolute path, else
//      none (Wine refuses a relative one);
//   2. else the prefix around the program folder (prefixAroundFolder);
//   3. else searchLauncherPrefixes.
WinePrefixChoice chooseWinePrefix(const QString& programDir, const QString& winePrefixEnv,
                                  const SearchPlaces& places);

} // namespace quillset
