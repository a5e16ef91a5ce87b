#pragma once
// Which Wine prefix holds the game: the one the user names, the one around
// the program, else the one a launcher made that holds the game; and every
// prefix the search found holding it, with why it was or was not taken.

#include "registry/launchers/game_in_prefix.h"
#include "registry/launchers/launcher_prefixes.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillset {

// How the prefix in use was found.
enum class PrefixOrigin {
    None,               // no prefix
    PrefixOption,       // --prefix on the command line
    WinePrefixVariable, // $WINEPREFIX (none when it is not absolute)
    SteamVariable,      // $STEAM_COMPAT_DATA_PATH's pfx: Steam sets it for a Proton
                        // game's launch options (none when it is not absolute)
    AroundProgram,      // the prefix holding the program folder
    Launcher,           // a launcher's prefix holding the game
    WineDefault,        // ~/.wine, for want of a prefix holding the game
};

// Whether the search took a prefix holding the game, and if not, why not.
enum class CandidateVerdict {
    Taken,
    OlderSettings, // its settings.cfg changed before the taken one's
    NoSettings,    // it has no settings.cfg, the taken one has
    ListedLater,   // no newer settings.cfg than the taken one, which comes first
    NotSearched,   // the prefix in use was named (an option or a variable), not searched for
};

// The verdict as a user reads it: "taken", "an older settings.cfg than the
// one taken", ...
QString verdictText(CandidateVerdict verdict);

// A prefix that holds the game.
struct PrefixCandidate {
    QString prefix;                           // the prefix folder
    QString source;                           // LauncherPrefix::source
    QString gameFolder;                       // the install value mapped into it
    std::optional<QDateTime> settingsChanged; // settings.cfg's modification time
    CandidateVerdict verdict = CandidateVerdict::Taken;
};

struct WinePrefixChoice {
    QString prefix;    // empty: no prefix
    QStringList trace; // for the debug log; empty unless launchers were searched
    PrefixOrigin origin = PrefixOrigin::None;
    // How the prefix was found, as a user reads it: "$WINEPREFIX", "the
    // prefix around the program folder /opt/korrin", the taken candidate's
    // source, "Wine default ~/.wine (no prefix holds the game)"; why there
    // is none for a relative $WINEPREFIX; empty when nothing was found.
    QString source;
    // Every launcher's prefix holding the game, in search order; empty when
    // the launchers were not searched.
    QList<PrefixCandidate> candidates;
};

// Among the launchers' prefixes (launcherPrefixes), the one holding the game
// whose settings.cfg changed last (a game folder without one counts as
// oldest; on a tie the first listed wins). When none holds the game,
// places.home/.wine if that folder exists, else none.
WinePrefixChoice searchLauncherPrefixes(const SearchPlaces& places);

// The variables that name the prefix a launcher runs the game in.
struct PrefixVariables {
    QString winePrefix;      // $WINEPREFIX
    QString steamCompatData; // $STEAM_COMPAT_DATA_PATH: the prefix is its pfx folder

    static PrefixVariables fromEnvironment();
};

// The prefix the program uses:
//   1. $WINEPREFIX when set: the prefix if it is an absolute path, else
//      none (Wine refuses a relative one);
//   2. else $STEAM_COMPAT_DATA_PATH's pfx folder when it is set, likewise;
//   3. else the prefix around the program folder (prefixAroundFolder);
//   4. else searchLauncherPrefixes.
WinePrefixChoice chooseWinePrefix(const QString& programDir, const PrefixVariables& variables,
                                  const SearchPlaces& places);

} // namespace quillset
