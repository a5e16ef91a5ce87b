#pragma once
// The verbs behind the command line, one per file, and what they share: the
// command as parsed, the game's files, and the messages they print.

#include "cli/command_line.h"
#include "game/game_files.h"
#include "registry/game_location.h"
#include "settings/settings_reader.h"
#include "settings/typed_value.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace quillset::cli {

// A command line as parsed: the verb, the words after it, the options.
struct Invocation {
    QString command;
    QStringList words;
    bool json = false;
    bool force = false; // --force: write while the game runs, or over a file that is not settings
    LocationOptions location;
    QString programDir;
};

// Prints "quillset: <text>" as one line on standard error; returns code.
ExitCode fail(CommandOutput& output, ExitCode code, const QString& text);

// "1 line", "2 lines".
QByteArray countOf(int count, const char* one, const char* many);

// A path as messages and listings show it.
QString shownPath(const QString& path);

// A string as a JSON string literal, quotes included.
QByteArray jsonString(const QString& text);

// Where the game is, decided as the window decides it, without writing
// anything (no per-user value is copied).
GameLocation locateGame(const Invocation& invocation);

// Why no game was found, for a location that found none.
QString notFoundReason(const GameLocation& location);

// The game the command works on; nothing when there is none (the reason is
// printed).
std::optional<GameFiles> findGame(const Invocation& invocation, CommandOutput& output);

// The game's settings as the window reads them; nothing when the file is not
// there, cannot be read or is not a settings file (the reason is printed).
std::optional<SettingsModel> readGameSettings(const GameFiles& game, CommandOutput& output);

// Why a settings file read gave no settings, as a clause: "it is empty".
QString whyNoSettings(const SettingsFileRead& read);

// The catalogue row of a key that get and set take, or why they do not:
// the key is unknown, or held.
std::variant<int, QString> settableKey(const QString& key);

// A value a command sets: the key's catalogue row and the value as taken.
struct Change {
    int row;
    TypedValue value;
};

// What apply takes from a profile's bytes: every line naming a key that set
// takes, in file order, its value checked as set checks it (a refusal is
// printed with the file's name and the line's number). Apart from apply so
// that the fuzz target reads profiles from memory.
struct Profile {
    QList<Change> changes;
    int ignored = 0; // lines naming no key that set takes
    bool refused = false;
};
Profile readProfile(const QString& file, QByteArrayView bytes, CommandOutput& output);

ExitCode whereCommand(const Invocation& invocation, CommandOutput& output);
ExitCode getCommand(const Invocation& invocation, CommandOutput& output);
ExitCode setCommand(const Invocation& invocation, CommandOutput& output);
ExitCode applyCommand(const Invocation& invocation, CommandOutput& output);

// set's and apply's last step: the changes made to the game's settings.cfg
// through its one write transaction (the window's too), each key's line
// replaced in place and every other byte kept; settings.bck made first when
// there is none; nothing written when no line changes.
ExitCode changeSettings(const Invocation& invocation, const QList<Change>& changes,
                        CommandOutput& output);

} // namespace quillset::cli
