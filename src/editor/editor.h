#pragma once
// The editor: the core of the program, which owns the settings and accounts
// of the run and takes every decision. It knows no widgets: it asks through
// Dialogs and shows through an EditorView and an AccountPanel, so every flow
// runs in tests without a window. Its parts:
//   SettingsSession  the values and their change rules, the change mark
//   SettingsFile     the current settings file, its base and its one write
//                    transaction (game/)
//   FileSync         following the file on disk
//   SaveDecisions    a save's questions: the running game, the merge
//   AccountSession   the accounts, the Account window's boxes and flows
//   FileCommands     Open, Save, Exit; loading and writing the file
//   MenuCommands     the options menu
//   BackupCommand    settings.bck, from the menu and at start-up
//   Startup          the start-up sequence and the install folder

#include "editor/account_session.h"
#include "editor/backup_command.h"
#include "editor/editor_context.h"
#include "editor/file_commands.h"
#include "editor/file_sync.h"
#include "editor/menu_commands.h"
#include "editor/settings_session.h"
#include "editor/startup.h"
#include "game/settings_file.h"

#include <QString>

namespace quillset {

class Editor {
public:
    // dialogs must outlive the editor.
    Editor(Dialogs& dialogs, const QString& programDir);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Where the game is, for start-up (resolveGameLocation).
    void setGameLocation(GameLocation location) { startup_.setGameLocation(std::move(location)); }
    // The windows that show the editor, before start-up; they must outlive it.
    void setView(EditorView& view, AccountPanel& accounts);
    // The running processes, asked before a save whether the game runs;
    // none: never asked. It must outlive the editor.
    void setProcessTable(const ProcessTable* processes) { context_.setProcesses(processes); }
    // What tells the editor that the current settings file changed on disk;
    // none: the file is not followed. The editor must outlive it.
    void setFileWatch(FileWatch* watch);

    Startup::Result start() { return startup_.run(); }

    SettingsSession& settings() { return settings_; }
    const SettingsFile& settingsFile() const { return current_; }
    FileSync& fileSync() { return sync_; }
    AccountSession& accounts() { return accounts_; }
    FileCommands& files() { return files_; }
    MenuCommands& menu() { return menu_; }
    const EditorContext& context() const { return context_; }

private:
    EditorContext context_;
    SettingsSession settings_;
    SettingsFile current_;
    AccountSession accounts_;
    FileSync sync_;
    BackupCommand backup_;
    FileCommands files_;
    MenuCommands menu_;
    Startup startup_;
};

} // namespace quillset
