#pragma once
// Start-up, in its fixed order, each step traced to debug.log: the registry's
// value for the game's folder, the language file, the install folder (settled
// once, with the first backup made on the way), advanced mode off, the
// accounts, the cleared values, the window, the game's settings, the
// visual-style item.

#include "editor/editor_context.h"

#include <QString>

namespace quillset {

class AccountSession;
class BackupCommand;
class MenuCommands;
class Registry;
class SettingsSession;

class Startup {
public:
    enum class Result {
        Running,             // the window is shown and start-up is complete
        LanguageFileMissing, // the user was told; the program must end now
    };

    Startup(EditorContext& context, SettingsSession& settings, AccountSession& accounts,
            MenuCommands& menu, const BackupCommand& backup)
        : context_(context), settings_(settings), accounts_(accounts), menu_(menu),
          backup_(backup) {}

    // Where start-up looks for the game's folder; none: no registry value.
    void setRegistry(Registry* registry) { context_.registry = registry; }

    // The whole start-up, traced to debug.log in the current folder.
    Result run();

private:
    bool loadLanguage();
    void settleInstallFolder(const QString& installValue);
    QString installFolder(bool besideProgram, const QString& installValue);
    void log(const QString& line) { context_.log(line); }

    EditorContext& context_;
    SettingsSession& settings_;
    AccountSession& accounts_;
    MenuCommands& menu_;
    const BackupCommand& backup_;
};

} // namespace quillset
