#pragma once
// The file menu's commands and their buttons: Open, Save and Exit, each
// asking its questions in the order the user knows them; and loading and
// writing the settings file for them and for start-up.

#include "editor/editor_context.h"

#include <QString>

namespace quillset {

class AccountSession;
class FileSync;
class SettingsFile;
class SettingsSession;

class FileCommands {
public:
    FileCommands(EditorContext& context, SettingsSession& settings, SettingsFile& current,
                 AccountSession& accounts, FileSync& sync)
        : context_(context), settings_(settings), current_(current), accounts_(accounts),
          sync_(sync) {}

    // Offers to save unsaved changes, then loads a settings file: in normal
    // mode the game's own, in advanced mode one the user picks.
    void open();
    // Writes the settings when they are marked changed: over the current
    // file if the user agrees, else where the user picks.
    void save();
    // Asks whether to save unsaved changes, then ends the program.
    void exit();

    // Loads a settings.cfg, which becomes the current file (other file names
    // are refused with a notice, a file that cannot be read with a message
    // saying why, both leaving the values as they were). Returns whether a
    // file was loaded; the caller shows the base title.
    bool load(const QString& path);
    // Writes the settings to path, with the CD keys of the selected account,
    // through the settings file's one transaction (SettingsFile::write),
    // answering its questions with the user (SaveDecisions). On success the
    // change mark goes; on failure the user is told why and it stays. An
    // empty path writes nothing.
    bool writeSettings(const QString& path);

private:
    void saveOverCurrent();
    QString chooseSaveFile() const;
    bool isCurrentFile(const QString& path) const;
    void tellNotSaved(const QString& path, const QString& reason);

    EditorContext& context_;
    SettingsSession& settings_;
    SettingsFile& current_;
    AccountSession& accounts_;
    FileSync& sync_;
};

} // namespace quillset
