// The Account window's lifetime for the Options window: built at first use,
// built anew after its close box, and the editor's account panel.

#include "ui/account_window.h"

namespace quillset::ui {

AccountWindowHost::AccountWindowHost(AccountSession& session, QWidget* owner)
    : session_(session), owner_(owner) {}

AccountWindowHost::~AccountWindowHost() {
    // The window refers to the session; it must not outlive the host.
    delete window_.data();
}

void AccountWindowHost::setTexts(std::span<const TextAssignment> texts) {
    const QString window = fromCatalogue(kAccountWindowName);
    texts_.clear();
    for (const TextAssignment& text : texts)
        if (text.window == window)
            texts_.push_back(text);
    if (window_)
        window_->applyTexts(texts_);
}

AccountWindow& AccountWindowHost::window() {
    if (!window_) {
        auto* created = new AccountWindow(session_, texts_, owner_.data());
        window_ = created;
        // Forget the window as soon as its close box is used, so the next
        // use creates a fresh one even before the old one is deleted.
        QObject::connect(created, &AccountWindow::unloaded, created, [this, created] {
            if (window_ != created)
                return;
            window_.clear();
            session_.unloadWindow();
        });
    }
    return *window_;
}

void AccountWindowHost::showAccounts(const TypedAccounts& accounts) {
    AccountWindow& accountWindow = window();
    accountWindow.showAccounts(accounts);
    accountWindow.showModeless();
}

void AccountWindowHost::showSelectedSlot(int slot) {
    window().showSelectedSlot(slot);
}

void AccountWindowHost::hideAccounts() {
    if (window_)
        window_->hide();
}

} // namespace quillset::ui
