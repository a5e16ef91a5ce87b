#pragma once
// The four accounts of the run: what accounts.cfg holds, what the Account
// window's boxes hold (saved or not), the selected slot, and the window's
// flows: the account menu, selecting, typing, Save, the close box, and the CD
// keys the settings file takes. The window only shows what this tells it
// and reports each edit here.

#include "accounts/account_store.h"
#include "editor/editor_context.h"
#include "settings/settings_writer.h"

#include <QObject>

#include <optional>
#include <span>

namespace quillset {

class SettingsSession;

class AccountSession : public QObject {
    Q_OBJECT

public:
    AccountSession(EditorContext& context, SettingsSession& settings)
        : context_(context), settings_(settings) {}

    // Without a panel every account flow does nothing.
    void setPanel(AccountPanel* panel) { panel_ = panel; }

    // Start-up: the window counts as loaded, with the language texts, and is
    // built at its first use; then the accounts are read from accounts.cfg.
    void loadHidden(std::span<const TextAssignment> texts);
    void readStore();

    // The account menu: without an account file the current settings become
    // slot 1 (nothing is written until the user saves); shows the accounts
    // and selects the last slot named like the settings' account.
    void manage();
    // Slot 1 to 4, by its option button or by name. Touches no file.
    void select(int slot);
    // The user's edit of one box: the name, or group 0 to 3 of a key.
    void edit(int slot, AccountBox box, int group, const QString& text);
    // Save: writes accounts.cfg from what the boxes hold. On success the
    // accounts take those texts, the selected slot's name (even an empty
    // one) becomes the settings' account name and the window hides; on
    // failure the user is told which file and why, and everything stays.
    void save();
    // The close box destroyed the window: its selection and boxes go, and
    // its next use loads it again.
    void unloadWindow();
    // The window was hidden (Close, Escape), its edits kept.
    void windowHidden();
    bool isWindowShown() const { return windowShown_; }

    // The CD keys for a settings file about to be written: the selected
    // slot's keys as typed; none without a selection (the file's own keys
    // are written then). Like any use of the window, this loads it again
    // after its close box, which shows it.
    std::optional<AccountCdKeys> selectedKeysLoadingWindow();
    // The keys were written to the settings file: they become the selected
    // account's keys.
    void keysWritten(const AccountCdKeys& keys);

    const AccountStore& store() const { return store_; }
    const TypedAccounts& typed() const { return typed_; }

signals:
    // The window was hidden or unloaded.
    void windowClosed();

private:
    void loadWindow();
    void showAccounts();
    void selectByName();

    EditorContext& context_;
    SettingsSession& settings_;
    AccountPanel* panel_ = nullptr;
    AccountStore store_;
    TypedAccounts typed_;
    bool storeRead_ = false;
    // The window counts as loaded from start-up until its close box.
    bool windowLoaded_ = false;
    bool windowShown_ = false;
};

} // namespace quillset
