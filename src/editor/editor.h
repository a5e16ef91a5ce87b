#pragma once
// The editor: one object that owns the program-wide state, the settings
// values, the account store, the language texts and the trace, and takes
// every decision of the program: start-up, Open, Save, Exit, the standard
// settings, the backup, the visual-style switch and where the CD keys come
// from. It knows no widgets: it asks its questions through Dialogs and shows
// its state through an EditorView, so every flow runs in tests without a GUI.

#include "accounts/account_store.h"
#include "editor/app_state.h"
#include "editor/dialogs.h"
#include "editor/editor_view.h"
#include "lang/language_loader.h"
#include "settings/settings_model.h"
#include "settings/settings_writer.h"
#include "shell/debug_log.h"

#include <QString>

namespace quillset {

class Registry;
struct BackupContext;

class Editor {
public:
    enum class StartupResult {
        Running,             // the window is shown and start-up is complete
        LanguageFileMissing, // the user was told; the program must end now
    };

    // state, dialogs and view must outlive the editor.
    Editor(AppState& state, Dialogs& dialogs, EditorView& view);

    // Where start-up looks for the game's folder; none: no registry value.
    void setRegistry(Registry* registry) { registry_ = registry; }
    void setAccountPanel(AccountPanel* panel) { accountPanel_ = panel; }

    // The whole start-up, in its fixed order, traced to debug.log in the
    // current folder.
    StartupResult start();

    // --- Values ----------------------------------------------------------
    const SettingsModel& values() const { return values_; }
    // An edit of one settings value (catalogue row), by the user or by the
    // program: it runs the value's change handling as a user's edit would,
    // when the value changes. Values a control could not show are taken as
    // that control would take them (a flag outside 0..2 is ignored, a number
    // is held to its range, an unknown choice digit means no choice).
    void setNumber(int row, int value);
    void setText(int row, const QString& text);
    // Every settings value and the held values, each as an edit.
    void applyValues(const SettingsModel& values);
    // Every settings value but the wait-retrace flag cleared, the held texts
    // too (FONTPAGES survives), the change mark reset.
    void clearValues();

    // --- Commands --------------------------------------------------------
    void open();
    void save();
    void exit();
    void applyStandardSettings();
    void backUp();
    void manageAccounts();
    void switchVisualStyle();
    void toggleAdvancedMode();

    // --- The Account window (editor_accounts.cpp) --------------------------
    // Selecting slot 1 to 4, by its option button or by name. Touches no
    // file and copies nothing.
    void selectAccount(int slot);
    // Save: writes accounts.cfg from what the boxes hold. On success the
    // accounts take those texts, the selected slot's name (even an empty
    // one) becomes the account name and the window hides; on failure the
    // user is told which file and why, and everything stays as it was.
    void saveAccounts();
    // The close box destroyed the window: its selection goes, and its next
    // use loads it again.
    void unloadAccountWindow();

    // Loads a settings.cfg (other file names are refused with a notice).
    // Returns whether a file was loaded; the caller shows the base title.
    bool loadSettings(const QString& path);
    // Writes the values with the CD keys of the selected account's boxes,
    // which also become that account's keys, or without a selection with
    // the keys read from the settings file. On success the change mark goes;
    // on failure the user is told why and it stays.
    bool writeSettings(const QString& path);

    // --- Window state ----------------------------------------------------
    void markChanged();
    void showBaseTitle();
    // The volume controls follow the sound switch (a grayed switch leaves them).
    void checkSound();
    bool isAdvancedChecked() const { return advancedChecked_; }

    // --- Access ----------------------------------------------------------
    AppState& state() { return state_; }
    Dialogs& dialogs() { return dialogs_; }
    AccountStore& accountStore() { return accounts_; }
    DebugLog& debugLog() { return log_; }
    const LanguageLoad& language() const { return language_; }
    const LanguageTable& languageTable() const { return language_.table; }

private:
    void editShownValues(const SettingsModel& values, bool keepWaitRetrace);
    void soundChanged();
    void runChangeHandling(int row);
    bool loadLanguage();
    // The game's folder (install_folder.cpp): the installer's value as the
    // machine root holds it after start-up's copy from the per-user root,
    // then the one place that settles AppState::installDir.
    QString machineInstallValue();
    void settleInstallFolder(const QString& installValue);
    QString installFolder(bool besideProgram, const QString& installValue);
    void setVisualStyleItem();
    void loadAccountWindow();
    void selectAccountByName();
    std::optional<AccountCdKeys> takeAccountKeysForSettings();
    BackupContext backupContext();
    void endProgram();
    void log(const QString& line) { log_.write(line); }

    AppState& state_;
    Dialogs& dialogs_;
    EditorView& view_;
    Registry* registry_ = nullptr;
    AccountPanel* accountPanel_ = nullptr;
    DebugLog log_;
    LanguageLoad language_;
    SettingsModel values_ = SettingsModel::cleared();
    AccountStore accounts_;
    // The Account window counts as loaded from start-up until its close box.
    bool accountWindowLoaded_ = false;
    // The menu items' check marks; both are checked in the window design.
    bool advancedChecked_ = true;
    bool visualStyleChecked_ = true;
    bool volumeControlsEnabled_ = true;
    bool exiting_ = false;
};

} // namespace quillset
