#pragma once
// What the editor asks of the windows. The editor owns the values and takes
// every decision; a view only shows what it is told and reports the user's
// edits back (SettingsSession::setNumber and setText, AccountSession::edit).

#include "accounts/account_store.h"
#include "lang/language_texts.h"
#include "settings/settings_model.h"
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

// The Account window as the editor uses it: it shows what it is told and
// reports each box's edit, the user's choice of slot, Save and its close box
// to the editor (AccountSession::edit, select, save, unloadWindow).
class AccountPanel {
public:
    virtual ~AccountPanel() = default;

    // The language texts, for the window now and for any created later.
    virtual void setTexts(std::span<const TextAssignment> texts) = 0;
    // Fills the boxes with the accounts as typed and shows the window in
    // front. Showing them is not an edit: it must not come back as one.
    virtual void showAccounts(const TypedAccounts& accounts) = 0;
    // Marks the slot selected: its boxes enabled, the other slots' disabled.
    virtual void showSelectedSlot(int slot) = 0;
    virtual void hideAccounts() = 0;
};

} // namespace quillset
