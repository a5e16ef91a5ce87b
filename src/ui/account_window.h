#pragma once
// The Account window: a view of the editor's four accounts for editing, one
// slot selected with an option button. The editor's account session decides
// everything: each box reports its edit there, the option buttons and Save
// go there, and it tells the window what to show (see AccountPanel).
// AccountWindowHost manages the window's lifetime: the close box destroys
// the window, and the next use creates it again.

#include "accounts/account_store.h"
#include "editor/account_session.h"
#include "editor/editor_view.h"
#include "lang/language_catalogue.h"
#include "lang/language_texts.h"
#include "ui/account_window_layout.h"
#include "ui/frame_box.h"
#include "ui/window_builder.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <span>
#include <vector>

class QLineEdit;
class QRadioButton;

namespace quillset::ui {

class AccountWindow : public QWidget {
    Q_OBJECT

public:
    // A modeless tool window owned by `owner`, hidden, with no slot marked,
    // its design texts and then `texts` (those for other windows are
    // ignored). The session must outlive the window.
    AccountWindow(AccountSession& session, std::span<const TextAssignment> texts, QWidget* owner);

    // --- What the editor shows ---------------------------------------------
    void showAccounts(const TypedAccounts& accounts);
    void showSelectedSlot(int slot);
    // Shows the window (modeless) and brings it to the front.
    void showModeless();
    void applyTexts(std::span<const TextAssignment> texts);

    // Any control by object name (see account_window_layout.h for the names
    // of array elements); null when there is none.
    QWidget* control(const QString& objectName) const { return parts_.controls.value(objectName); }

signals:
    // The close box was used; the window deletes itself right after.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct SlotWidgets {
        FrameBox* frame = nullptr;
        QRadioButton* option = nullptr;
        QLineEdit* name = nullptr;
        std::array<std::array<QLineEdit*, kKeyGroupCount>, kKeyRows.size()> keys{};
    };

    void buildSlot(int slot);
    void reportEdits(int slot, QLineEdit* box, AccountBox kind, int group);
    void connectCommands();

    AccountSession& session_;
    WindowParts parts_;
    std::array<SlotWidgets, kAccountSlotCount> slots_{};
    bool showing_ = false; // the boxes are being filled from the session
};

// Owns the Account window's lifetime for the Options window and is the
// editor's account panel: creates the window at its first use and again
// after its close box destroyed it, and tells the account session when the
// close box was used.
class AccountWindowHost : public AccountPanel {
public:
    AccountWindowHost(AccountSession& session, QWidget* owner);
    ~AccountWindowHost() override;
    AccountWindowHost(const AccountWindowHost&) = delete;
    AccountWindowHost& operator=(const AccountWindowHost&) = delete;

    void setTexts(std::span<const TextAssignment> texts) override;
    void showAccounts(const TypedAccounts& accounts) override;
    void showSelectedSlot(int slot) override;
    void hideAccounts() override;

    // The window, created when there is none.
    AccountWindow& window();

private:
    AccountSession& session_;
    QPointer<QWidget> owner_;
    std::vector<TextAssignment> texts_;
    QPointer<AccountWindow> window_;
};

} // namespace quillset::ui
