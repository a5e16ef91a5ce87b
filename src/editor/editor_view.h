#pragma once
// What the editor asks of the windows. The editor owns the values and takes
// every decision; a view only shows what it is told and reports the user's
// edits back (see Editor::setNumber and Editor::setText).

#include "accounts/account_store.h"
#include "lang/language_texts.h"
#include "settings/settings_model.h"
#include "settings/settings_writer.h"
#include "shell/visual_style.h"

#include <QString>
#include <optional>
#include <span>

namespace quillset {

class EditorView {
public:
    virtual ~EditorView() = default;

    // Every settings control shows its value from values. Showing a value
    // is not an edit: it must not come back as one.
    virtual void showValues(const SettingsModel& values) = 0;
    virtual void showTitle(const QString& title) = 0;
    // The controls only advanced mode offers, and the menu item's check mark.
    virtual void showAdvancedMode(bool advanced) = 0;
    virtual void showVolumeControlsEnabled(bool enabled) = 0;
    virtual void showVisualStyleItem(MenuItemState state) = 0;
    // The check mark of the visual-style item after a switch.
    virtual void showVisualStyleChecked(bool checked) = 0;
    // Captions and tooltips from the language file (texts of other windows
    // are for the account panel).
    virtual void showTexts(std::span<const TextAssignment> texts) = 0;
    // The heading of the supported-settings frame.
    virtual void showHeading(const QString& text) = 0;
    virtual void showWindow() = 0;
    // The program ends: every window goes, without further questions.
    virtual void closeProgram() = 0;
};

// The Account window as the editor uses it.
class AccountPanel {
public:
    virtual ~AccountPanel() = default;

    // The language texts, for the window now and for any created later.
    virtual void setTexts(std::span<const TextAssignment> texts) = 0;
    // Start-up counts the window as loaded; it is built at its first use.
    virtual void loadHiddenAtStartup() = 0;
    // The account menu: shows the accounts, seeding slot 1 from the
    // settings' account name and CD keys when there is no account file.
    virtual void open(const QString& fileCdKey, const QString& fileCdKey2) = 0;
    // The selected account's keys for the settings file (and back into the
    // account store's lines); none without a selection.
    virtual std::optional<AccountCdKeys> takeSelectedKeysForSettings() = 0;
};

} // namespace quillset
