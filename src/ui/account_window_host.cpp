// The Account window's lifetime for the Options window: built at first use,
// built anew after its close box, and the editor's account panel.

#include "ui/account_window.h"

#include "accounts/account_file.h"
#include "io/file_helpers.h"

#include <utility>

namespace quillset::ui {

AccountWindowHost::AccountWindowHost(AccountStore& store, AppState& state, Dialogs& dialogs,
                                     AccountWindow::AccountNameReader readAccountName,
                                     AccountWindow::AccountNameWriter setAccountName,
                                     QWidget* owner)
    : store_(store), state_(state), dialogs_(dialogs), readAccountName_(std::move(readAccountName)),
      setAccountName_(std::move(setAccountName)), owner_(owner) {}

AccountWindowHost::~AccountWindowHost() {
    // The window refers to the host's callbacks' targets; it must not outlive them.
    delete window_.data();
}

void AccountWindowHost::setTexts(std::span<const TextAssignment> texts) {
    texts_ = accountWindowTexts(texts);
    if (window_)
        window_->applyTexts(texts_);
}

void AccountWindowHost::loadHiddenAtStartup() {
    if (!window_)
        loadStepDone_ = true;
}

AccountWindow& AccountWindowHost::window() {
    if (!window_) {
        auto* created = new AccountWindow(store_, state_, dialogs_, readAccountName_,
                                          setAccountName_, texts_, owner_.data());
        window_ = created;
        // Forget the window as soon as its close box is used, so the next
        // use creates a fresh one even before the old one is deleted.
        QObject::connect(created, &AccountWindow::unloaded, created, [this, created] {
            if (window_ == created)
                window_.clear();
        });
        if (!std::exchange(loadStepDone_, false))
            created->Form_Load();
    }
    return *window_;
}

void AccountWindowHost::open(const QString& fileCdKey, const QString& fileCdKey2) {
    // Without an account file the current settings become slot 1; nothing is
    // written until the user saves in the window.
    if (!FileExists(accountFilePath(state_.installDir)))
        setAccountSlot(store_, 1, readAccountName_(), fileCdKey, fileCdKey2);
    AccountWindow& accounts = window();
    accounts.fillFromStore();
    accounts.selectByAccountName();
    accounts.showModeless();
}

std::optional<AccountCdKeys> AccountWindowHost::takeSelectedKeysForSettings() {
    // Loaded at start-up and never used since: a window built now would have
    // no slot selected, so there is nothing to build it for.
    if (!window_ && loadStepDone_)
        return std::nullopt;
    return window().takeSelectedKeysForSettings();
}

} // namespace quillset::ui
