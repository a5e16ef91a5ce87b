#pragma once
// Start-up, in its fixed order, each step traced to debug.log: how the game
// was found (the registry's value for its folder), the language file, the
// install folder (settled once, with the first backup made on the way),
// advanced mode off, the accounts, the cleared values, the window, the
// game's settings, the visual-style item.

#include "editor/editor_context.h"
#include "registry/game_location.h"

#include <QString>

namespace quillset {

class AccountSession;
class BackupCommand;
class FileCommands;
class MenuCommands;
class SettingsSession;

class Startup {
public:
    enum class Result {
        Running,             // the window is shown and start-up is complete
        LanguageFileMissing, // the user was told; the program must end now
    };

    Startup(EditorContext& context, SettingsSession& settings, AccountSession& accounts,
            FileCommands& files, MenuCommands& menu, const BackupCommand& backup)
        : context_(context), settings_(settings), accounts_(accounts), files_(files), menu_(menu),
          backup_(backup) {}

    // Where the game is (resolveGameLocation); without one, nowhere: the
    // program folder.
    void setGameLocation(GameLocation location) { location_ = std::move(location); }

    // The whole start-up, traced to debug.log in the current folder.
    Result run();

private:
    bool loadLanguage();
    void settleInstallFolder();
    void log(const QString& line) { context_.log(line); }

    EditorContext& context_;
    SettingsSession& settings_;
    AccountSession& accounts_;
    FileCommands& files_;
    MenuCommands& menu_;
    const BackupCommand& backup_;
    GameLocation location_;
};

} // namespace quillset
