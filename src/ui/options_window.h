#pragma once
// The Options window (Form1): every settings control, built from the control
// catalogue, with the change marking, the window-state procedures, the
// settings loader and the start-up sequence.

#include "accounts/account_store.h"
#include "app/backup.h"
#include "app/app_state.h"
#include "app/debug_log.h"
#include "app/dialogs.h"
#include "app/registry/memory_registry.h"
#include "lang/language_loader.h"
#include "settings/settings_model.h"
#include "ui/window_builder.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <span>

class QAction;
class QMenu;
class QSlider;

namespace quillset::ui {

class AboutWindow;
class AccountWindowHost;

class OptionsWindow : public QMainWindow {
    Q_OBJECT

public:
    enum class StartupResult {
        Running,             // the window is shown and start-up is complete
        LanguageFileMissing, // the user was told; the program must end now
    };

    // The window is created with its design texts and values; Form_Load runs
    // the start-up. state and dialogs must outlive the window.
    OptionsWindow(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~OptionsWindow() override;

    // Where start-up looks for the game's folder; an empty registry of its own
    // until one is set. Must outlive the window.
    void setRegistry(Registry& registry) { registry_ = &registry; }

    // Start-up: opens debug.log in the current folder, loads the language
    // file, prepares the controls, shows the window and loads the install
    // folder's settings.cfg.
    StartupResult Form_Load();

    // --- Settings values -------------------------------------------------
    // Sets every settings control and the held values. Controls whose value
    // changes run their change handlers, exactly as a user's edit does.
    void applyModel(const SettingsModel& model);
    // What the controls show, with the held values.
    SettingsModel currentModel() const;

    // Loads a settings.cfg into the window (refuses other file names with
    // [Messages] entry 3). Sets CurrentSettingsPath, WindowBaseTitle and clears
    // ChangedFlag; the caller then shows the title with showBaseTitle().
    // Returns whether a file was loaded.
    bool opensettings(const QString& path);

    // Writes the settings shown to path, with the selected account's CD keys.
    // On success the window is unmarked; on failure the user is told why and
    // the change mark stays. Returns whether the file was written.
    bool writesettings(const QString& path);

    // --- Window state ----------------------------------------------------
    void refresh_variables(); // clears every settings control and held text
    void check_sound();       // volume group follows the sound switch
    void sound_Click();       // the sound switch's change handler
    void madvanced_Click();   // toggles advanced mode
    void mabout_Click();      // shows the About window

    // Title := WindowBaseTitle (after a load or a write).
    void showBaseTitle();
    // Plain marking: ChangedFlag := true, title := WindowBaseTitle + " - Changed!".
    void markChanged();
    // Whether the advanced menu item carries its check mark.
    bool isAdvancedChecked() const;

    // --- Commands (options_commands.cpp) ---------------------------------
    void oeffnen_Click();              // Open: button oeffnen, menu mopen
    void speichern_Click();            // Save: button speichern, menu mSave
    void exitbtn_Click();              // Exit: button exitbtn, menu mquit, close box
    void mcreate_standard_cfg_Click(); // standard settings
    void mcreate_backup_Click();       // backup
    void maccmanage_Click();           // Account window
    void use_xp_style_Click();         // visual-style switch

    // --- Access ----------------------------------------------------------
    // A control, frame or panel by its object name; null when there is none.
    QWidget* control(QStringView name) const;
    template <class W>
    W* control(QStringView name) const {
        return qobject_cast<W*>(control(name));
    }
    QMenu* menu(QStringView name) const;
    QAction* menuItem(QStringView name) const;

    // Applies the texts meant for this window (window "Form1") by object name.
    void applyTexts(std::span<const TextAssignment> texts);
    // Everything the language file gave, the Account window's texts included.
    const LanguageLoad& language() const { return language_; }
    const LanguageTable& languageTable() const { return language_.table; }

    AppState& state() { return state_; }
    AccountStore& accountStore() { return accountStore_; }
    AccountWindowHost& accounts() { return *accounts_; }
    Dialogs& dialogs() { return dialogs_; }
    DebugLog& debugLog() { return log_; }
    // Null until mabout first shows it, and again after its close box.
    AboutWindow* aboutWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Values of the settings model that no control shows.
    struct HeldValues {
        QString fontPagesValue;
        QString fileCdKey;
        QString fileCdKey2;
        QByteArray unknownLines;
    };

    void connectChangeHandlers();
    void connectCommands();
    void sliderMarking(QSlider* slider);
    void setVolumeGroupEnabled(bool enabled);
    int soundValue() const;
    bool init_language();
    // Closes the trace and leaves the event loop; runs once.
    void endProgram();

    // Start-up steps, each called at its place in the sequence.
    void preparePictureBoxes();
    void findInstallDirInRegistry();    // machine root, else user root copied up
    void backUpProgramFolderSettings(); // settings.cfg beside the program without backup
    void installDirFromRegistry();      // no settings.cfg beside the program
    QString registryInstallFolder() const; // the machine root's value as a local folder
    BackupContext backupContext();
    bool loadAccountStore();
    void setVisualStyleItem();          // from the manifest beside the program

    void log(const QString& line) { log_.write(line); }

    AppState& state_;
    Dialogs& dialogs_;
    DebugLog log_;
    WindowParts parts_;
    LanguageLoad language_;
    HeldValues held_;
    QPointer<AboutWindow> about_;
    MemoryRegistry emptyRegistry_;
    Registry* registry_ = &emptyRegistry_;
    AccountStore accountStore_;
    std::unique_ptr<AccountWindowHost> accounts_;
    bool exiting_ = false;
};

} // namespace quillset::ui
