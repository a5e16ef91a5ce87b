#pragma once
// The file menu's commands and their buttons: Open, Save and Exit, each
// asking its questions in the order the user knows them.

#include "editor/editor_context.h"

#include <QString>

namespace quillset {

class AccountSession;
class FileSync;
class SettingsSession;

class FileCommands {
public:
    FileCommands(EditorContext& context, SettingsSession& settings, AccountSession& accounts,
                 FileSync& sync)
        : context_(context), settings_(settings), accounts_(accounts), sync_(sync) {}

    // Offers to save unsaved changes, then loads a settings file: in normal
    // mode the game's own, in advanced mode one the user picks.
    void open();
    // Writes the settings when they are marked changed: over the current
    // file if the user agrees, else where the user picks.
    void save();
    // Asks whether to save unsaved changes, then ends the program.
    void exit();

    // Writes the settings to path with the CD keys of the selected account
    // (see AccountSession::keysForSettings), merged with another program's
    // changes to the current file (see FileSync). An empty path writes
    // nothing.
    bool writeSettings(const QString& path);

private:
    void saveOverCurrent();
    QString chooseSaveFile() const;
    QString gameSettingsPath() const;

    EditorContext& context_;
    SettingsSession& settings_;
    AccountSession& accounts_;
    FileSync& sync_;
};

} // namespace quillset
