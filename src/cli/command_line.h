#pragma once
// Quillset's command line: where, get, set and apply, for launchers'
// scripts and terminals, with the location options --prefix and
// --game-folder, which the window takes too. A thin front over the core: the
// catalogue's value rules, the reader, the writer, the backup and the game's
// location are the window's own. Nothing here needs a display.

#include "io/file_helpers.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>

namespace quillset::cli {

enum class ExitCode {
    Done = 0,
    Failed = 1, // no game found, a file that cannot be read or written
    Usage = 2,  // a usage error or a refused value
};

// What a command prints: standard output (values as UTF-8) and standard
// error (one English line per message).
struct CommandOutput {
    QByteArray out;
    QByteArray err;
};

// Standard input, read whole when a command asks for it (apply -).
using StandardInput = std::function<std::variant<QByteArray, ReadFailure>()>;

// True when the arguments (the program's name first) ask for a command, or
// for help or the version, rather than the window: a command word, an
// option of two dashes other than the location options, or a word that no
// option of one dash (Qt's own, such as -platform offscreen) stands before.
bool isCommandLineRun(const QStringList& arguments);

// Runs the command the arguments (the program's name first) name, against
// the game that the location options, the environment (WINEPREFIX, HOME,
// XDG_DATA_HOME, XDG_CONFIG_HOME) and programDir lead to. Relative paths are
// taken from the current folder. Never opens a window.
ExitCode runCommandLine(const QStringList& arguments, const QString& programDir,
                        CommandOutput& output, StandardInput standardInput = {});

// The window's location options: --prefix or --game-folder, each an
// existing folder made absolute; both empty for neither.
struct LocationOptions {
    QString prefix;
    QString gameFolder;
};

// The location options of the window's arguments (the program's name
// first, Qt's own options already taken out), or the usage error to print.
std::variant<LocationOptions, QString> windowLocationOptions(const QStringList& arguments);

} // namespace quillset::cli
