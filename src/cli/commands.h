#pragma once
// The verbs behind the command line, one per file, and what they share: the
// command as parsed, the game's files, and the messages they print.

#include "cli/command_line.h"
#include "registry/game_location.h"
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
    LocationOptions location;
    QString programDir;
};

// Prints "quillset: <text>" as one line on standard error; returns code.
ExitCode fail(CommandOutput& output, ExitCode code, const QString& text);

// A path as messages and listings show it.
QString shownPath(const QString& path);

// A string as a JSON string literal, quotes included.
QByteArray jsonString(const QString& text);

// The game's folder and its settings file.
struct GameFiles {
    QString folder;
    QString settings;
};

// Where the game is, decided as the window decides it, without writing
// anything (no per-user value is copied).
GameLocation locateGame(const Invocation& invocation);

// Why no game was found, for a location that found none.
QString notFoundReason(const GameLocation& location);

// The game the command works on; nothing when there is none (the reason is
// printed).
std::optional<GameFiles> findGame(const Invocation& invocation, CommandOutput& output);

// The game's settings as the window reads them; nothing when the file cannot
// be read (the reason is printed).
std::optional<SettingsModel> readGameSettings(const GameFiles& game, CommandOutput& output);

// The catalogue row of a key that get and set take, or why they do not:
// the key is unknown, or held.
std::variant<int, QString> settableKey(const QString& key);

// A value a command sets: the key's catalogue row and the value as taken.
struct Change {
    int row;
    TypedValue value;
};

ExitCode whereCommand(const Invocation& invocation, CommandOutput& output);
ExitCode getCommand(const Invocation& invocation, CommandOutput& output);
ExitCode setCommand(const Invocation& invocation, CommandOutput& output);
ExitCode applyCommand(const Invocation& invocation, CommandOutput& output);

// set's and apply's last step: the changes made to the game's settings, the
// backup made first when there is none, the file written by the window's
// writer; nothing is written when no value changes.
ExitCode changeSettings(const Invocation& invocation, const QList<Change>& changes,
                        CommandOutput& output);

} // namespace quillset::cli
