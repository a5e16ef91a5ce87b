// The Account window's flows: the account menu, selecting a slot, saving
// accounts.cfg and the CD keys the settings file takes from the window.

#include "editor/editor.h"

#include "accounts/account_file.h"
#include "io/file_helpers.h"

#include <QDir>

namespace quillset {

namespace {

int accountNameRow() {
    static const int row = keyIndex(QLatin1String("NETWORK_LOBBYLOGIN"));
    return row;
}

} // namespace

// The window's load step, run by its first use after it was unloaded: reads
// accounts.cfg if this run has not read it yet, shows the accounts and
// selects by name. Before start-up is complete it only counts as loaded.
void Editor::loadAccountWindow() {
    if (accountWindowLoaded_)
        return;
    accountWindowLoaded_ = true;
    if (!state_.startupComplete)
        return;
    if (!state_.accountsLoaded)
        state_.accountsLoaded = loadAccountStore(accounts_, state_.installDir);
    accountPanel_->showAccounts(accounts_.accounts);
    selectAccountByName();
}

// Every slot named exactly like the settings' account, in slot order, so the
// last match stays selected; with no match the selection is unchanged.
void Editor::selectAccountByName() {
    const QString accountName = values_.texts[accountNameRow()];
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        if (accounts_.account(slot).name == accountName)
            selectAccount(slot);
    }
}

void Editor::manageAccounts() {
    if (!accountPanel_)
        return;
    // Without an account file the current settings become slot 1; nothing is
    // written until the user saves in the window.
    if (!fileExists(accountFilePath(state_.installDir))) {
        accounts_.account(1) = {values_.texts[accountNameRow()], values_.fileCdKey,
                                values_.fileCdKey2};
    }
    loadAccountWindow();
    accountPanel_->showAccounts(accounts_.accounts);
    selectAccountByName();
}

void Editor::selectAccount(int slot) {
    if (!isValidSlot(slot) || !accountPanel_)
        return;
    accounts_.selectedSlot = slot;
    accountPanel_->showSelectedSlot(slot);
}

void Editor::saveAccounts() {
    if (!accountPanel_)
        return;
    const Accounts typed = accountPanel_->typedAccounts();
    if (const std::optional<QString> reason =
            writeAccountFile(state_.installDir, accountFileLines(typed))) {
        // The reason names the file's problem or the offending field, never a key.
        const QString path = QDir::toNativeSeparators(accountFilePath(state_.installDir));
        dialogs_.message(
            QStringLiteral("The accounts were not saved: %1 could not be written (%2).")
                .arg(path, *reason),
            programTitle(), Dialogs::Buttons::Ok);
        return;
    }
    // Reopening the window shows the accounts, so they must be what the file
    // now holds; otherwise a second save would write old data.
    accounts_.accounts = typed;
    if (const std::optional<int> slot = accounts_.selectedSlot) {
        setText(accountNameRow(), typed[*slot - 1].name);
        view_.showValues(values_);
    }
    accountPanel_->hideAccounts();
}

void Editor::unloadAccountWindow() {
    accountWindowLoaded_ = false;
    accounts_.selectedSlot.reset();
}

std::optional<AccountCdKeys> Editor::takeAccountKeysForSettings() {
    if (!accountPanel_)
        return std::nullopt;
    // Like any use of the window, this loads it again after its close box.
    loadAccountWindow();
    const std::optional<int> slot = accounts_.selectedSlot;
    if (!slot)
        return std::nullopt;
    const Account typed = accountPanel_->typedAccounts()[*slot - 1];
    Account& stored = accounts_.account(*slot);
    stored.korrinKey = typed.korrinKey;
    stored.deepfallKey = typed.deepfallKey;
    return AccountCdKeys{typed.korrinKey, typed.deepfallKey};
}

} // namespace quillset
