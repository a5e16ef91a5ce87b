#include "editor/account_session.h"

#include "accounts/account_file.h"
#include "editor/settings_session.h"
#include "io/file_helpers.h"

#include <QDir>

namespace quillset {

void AccountSession::loadHidden(std::span<const TextAssignment> texts) {
    if (panel_)
        panel_->setTexts(texts);
    windowLoaded_ = true;
}

void AccountSession::readStore() {
    storeRead_ = loadAccountStore(store_, context_.game().folder);
}

// The window's load step, run by its first use after it was unloaded: reads
// accounts.cfg if this run has not read it yet, shows the accounts and
// selects by name. Before start-up is complete it only counts as loaded.
void AccountSession::loadWindow() {
    if (windowLoaded_)
        return;
    windowLoaded_ = true;
    if (!context_.isStartupComplete())
        return;
    if (!storeRead_)
        storeRead_ = loadAccountStore(store_, context_.game().folder);
    showAccounts();
    selectByName();
}

// The boxes start again from the accounts: unsaved edits are gone.
void AccountSession::showAccounts() {
    for (int slot = 1; slot <= kAccountSlotCount; ++slot)
        typed_[slot - 1] = TypedAccount::of(store_.account(slot));
    panel_->showAccounts(typed_);
    windowShown_ = true;
}

// Every slot named exactly like the settings' account, in slot order, so the
// last match stays selected; with no match the selection is unchanged.
void AccountSession::selectByName() {
    const QString accountName = settings_.values().texts[kAccountNameRow];
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        if (store_.account(slot).name == accountName)
            select(slot);
    }
}

void AccountSession::manage() {
    if (!panel_)
        return;
    if (!fileExists(context_.game().accounts())) {
        const SettingsModel& values = settings_.values();
        store_.account(1) = {values.texts[kAccountNameRow], values.fileCdKey, values.fileCdKey2};
    }
    loadWindow();
    showAccounts();
    selectByName();
}

void AccountSession::select(int slot) {
    if (!isValidSlot(slot) || !panel_)
        return;
    store_.selectedSlot = slot;
    panel_->showSelectedSlot(slot);
}

void AccountSession::edit(int slot, AccountBox box, int group, const QString& text) {
    if (!isValidSlot(slot) || group < 0 || group >= kKeyGroupCount)
        return;
    TypedAccount& account = typed_[slot - 1];
    switch (box) {
    case AccountBox::Name:
        account.name = text;
        break;
    case AccountBox::KorrinKey:
        account.korrinKey[group] = text;
        break;
    case AccountBox::DeepfallKey:
        account.deepfallKey[group] = text;
        break;
    }
}

void AccountSession::save() {
    if (!panel_)
        return;
    Accounts accounts;
    for (int slot = 1; slot <= kAccountSlotCount; ++slot)
        accounts[slot - 1] = typed_[slot - 1].joined();
    if (const std::optional<QString> reason =
            writeAccountFile(context_.game().folder, accountFileLines(accounts))) {
        // The reason names the file's problem or the offending field, never a key.
        const QString path = QDir::toNativeSeparators(context_.game().accounts());
        context_.tell(context_.text(kept::accountsFailedNotice).arg(path, *reason));
        return;
    }
    // Reopening the window shows the accounts, so they must be what the file
    // now holds; otherwise a second save would write old data.
    store_.accounts = accounts;
    if (const std::optional<int> slot = store_.selectedSlot) {
        settings_.setText(kAccountNameRow, accounts[*slot - 1].name);
        settings_.showValues();
    }
    panel_->hideAccounts();
    windowHidden();
}

void AccountSession::unloadWindow() {
    windowLoaded_ = false;
    store_.selectedSlot.reset();
    typed_ = {};
    windowHidden();
}

void AccountSession::windowHidden() {
    if (!windowShown_)
        return;
    windowShown_ = false;
    emit windowClosed();
}

std::optional<AccountCdKeys> AccountSession::selectedKeysLoadingWindow() {
    if (!panel_)
        return std::nullopt;
    loadWindow();
    const std::optional<int> slot = store_.selectedSlot;
    if (!slot)
        return std::nullopt;
    const Account typed = typed_[*slot - 1].joined();
    return AccountCdKeys{typed.korrinKey, typed.deepfallKey};
}

void AccountSession::keysWritten(const AccountCdKeys& keys) {
    const std::optional<int> slot = store_.selectedSlot;
    if (!slot)
        return;
    Account& stored = store_.account(*slot);
    stored.korrinKey = keys.korrin;
    stored.deepfallKey = keys.deepfall;
}

} // namespace quillset
