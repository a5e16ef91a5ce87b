#pragma once
// The options menu's commands: the standard settings, the backup, the
// account window, the visual-style switch and advanced mode.

#include "editor/editor_context.h"

namespace quillset {

class AccountSession;
class BackupCommand;
class SettingsSession;

class MenuCommands {
public:
    MenuCommands(EditorContext& context, SettingsSession& settings, AccountSession& accounts,
                 const BackupCommand& backup)
        : context_(context), settings_(settings), accounts_(accounts), backup_(backup) {}

    // When confirmed: every value cleared, then each standard value set as
    // an edit, so the window ends marked changed.
    void applyStandardSettings();
    void backUp();
    void manageAccounts();
    // Renames the manifest that chooses the look for the next start, or
    // keeps the user's own choice where the program folder is not theirs.
    void switchVisualStyle();
    void toggleAdvancedMode();

    // Start-up: the visual-style item as the user's choice or the manifest
    // beside the program says.
    void showVisualStyleItem();

private:
    EditorContext& context_;
    SettingsSession& settings_;
    AccountSession& accounts_;
    const BackupCommand& backup_;
    // The style item's check mark, checked in the window design.
    bool visualStyleChecked_ = true;
};

} // namespace quillset
