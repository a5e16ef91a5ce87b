#pragma once
// The Account window (Form2): the four account slots of the AccountStore for
// editing, one of them selected with an option button. Save writes
// accounts.cfg and hands the selected account's name to the Options window;
// the settings writer takes the selected slot's CD keys from the key boxes.
//
// The window knows the Options window only through two callbacks (read and
// set the account name shown there), so it can be built and driven alone.
// AccountWindowHost manages its lifetime: the close box destroys the window,
// and the next use creates it again.

#include "accounts/account_file.h"
#include "accounts/account_store.h"
#include "editor/app_state.h"
#include "editor/dialogs.h"
#include "editor/editor_view.h"
#include "lang/language_texts.h"
#include "settings/settings_writer.h"
#include "ui/account_window_layout.h"

#include <QGroupBox>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class QLineEdit;
class QRadioButton;

namespace quillset::ui {

// A frame with its caption at the top left. With a border (border style 1)
// a single line runs round it, broken by the caption; without one (border
// style 0) only the caption shows. The selected slot's frame has the border.
class TitledFrame : public QGroupBox {
    Q_OBJECT

public:
    explicit TitledFrame(QWidget* parent = nullptr);

    void setBorder(bool on);
    bool hasBorder() const { return border_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool border_ = false;
};

// The texts of `texts` meant for the Account window (window "Form2").
std::vector<TextAssignment> accountWindowTexts(std::span<const TextAssignment> texts);

class AccountWindow : public QWidget {
    Q_OBJECT

public:
    // The text of the Options window's account-name box `accname`.
    using AccountNameReader = std::function<QString()>;
    // Sets `accname`; like any edit of that box, this marks the Options window changed.
    using AccountNameWriter = std::function<void(const QString&)>;

    // A modeless tool window owned by `owner`, hidden, with its design texts
    // and then `texts` (those for other windows are ignored). Does not run
    // Form_Load: the creator does that once the window is complete. store,
    // state and dialogs must outlive the window.
    AccountWindow(AccountStore& store, AppState& state, Dialogs& dialogs,
                  AccountNameReader readAccountName, AccountNameWriter setAccountName,
                  std::span<const TextAssignment> texts, QWidget* owner);

    // --- Handlers ----------------------------------------------------------
    // The load step of a newly created window. Does nothing during start-up;
    // afterwards reads accounts.cfg if this run has not read it yet, fills the
    // boxes from the store, shows the window and selects the last slot named
    // like the Options window's account.
    void Form_Load();

    // Selecting slot 1 to 4: its frame gets the border and its boxes are
    // enabled, the other slots' boxes are disabled (their texts stay), and
    // its option button is checked. Touches no file and copies nothing.
    void selectSlot(int slot);
    void Option1_Click() { selectSlot(1); }
    void Option2_Click() { selectSlot(2); }
    void Option3_Click() { selectSlot(3); }
    void Option4_Click() { selectSlot(4); }

    // Save: writes accounts.cfg from the boxes. On success the saved lines go
    // back into the store, the checked slot's name (even an empty one) goes
    // to the Options window, and the window hides. On failure the user is
    // told which file and why, and the window stays as it is.
    void Command1_Click();
    // Close: hides the window; the edits stay in the boxes, unsaved.
    void Command2_Click();

    // --- Used by the account menu and the settings writer -------------------
    // Name boxes from the store's lines, key boxes from the split key records.
    void fillFromStore();
    // Selects, in slot order, every slot whose name box equals the Options
    // window's account name exactly; the last match stays selected, and with
    // no match the selection is unchanged.
    void selectByAccountName();
    // Shows the window (modeless) and brings it to the front.
    void showModeless();

    // The slot whose option button is checked; none at first.
    std::optional<int> selectedSlot() const;
    // The selected slot's two keys, each row's four boxes joined first box
    // first; none when no slot is selected.
    std::optional<AccountCdKeys> selectedKeys() const;
    // Stores the selected slot's joined keys into its two key lines of the
    // store's Lines (the key records are left as they are). Nothing without a
    // selection.
    void storeSelectedKeysBack();
    // Both of the above: what the settings writer calls before it writes.
    std::optional<AccountCdKeys> takeSelectedKeysForSettings();

    // What the boxes hold, slot by slot.
    AccountSlotsTexts slotTexts() const;

    // Captions and tooltips by control and array index; other windows' texts
    // are ignored.
    void applyTexts(std::span<const TextAssignment> texts);

    // --- Access ------------------------------------------------------------
    TitledFrame* slotFrame(int slot) const;
    QRadioButton* optionButton(int slot) const;
    QLineEdit* nameBox(int slot) const;
    QLineEdit* keyBox(int slot, KeyRow row, int index) const;
    // Any control by object name (see account_window_layout.h for the names
    // of array elements); null when there is none.
    QWidget* control(const QString& objectName) const { return controls_.value(objectName); }

signals:
    // The close box was used; the window deletes itself right after.
    void unloaded();

protected:
    // Form_Unload: the close box hides the window and destroys it.
    void closeEvent(QCloseEvent* event) override;

private:
    struct SlotWidgets {
        TitledFrame* frame = nullptr;
        QRadioButton* option = nullptr;
        QLineEdit* name = nullptr;
        std::array<QLineEdit*, kKeyGroupCount> korrin{};
        std::array<QLineEdit*, kKeyGroupCount> deepfall{};
    };

    void buildControls();
    void collectSlotWidgets();
    void connectHandlers();
    void applyTabOrder();
    const SlotWidgets& widgets(int slot) const;
    void reportSaveFailure(const QString& reason);

    AccountStore& store_;
    AppState& state_;
    Dialogs& dialogs_;
    AccountNameReader readAccountName_;
    AccountNameWriter setAccountName_;
    QHash<QString, QWidget*> controls_;
    std::array<SlotWidgets, kAccountSlotCount> slots_{};
};

// Owns the Account window's lifetime for the Options window: creates it on
// demand (texts applied, Form_Load run) and again after its close box
// destroyed it. Create the window once during start-up, while
// AppState::startupComplete is false, so that it exists hidden with no slot
// selected, as the settings writer expects.
class AccountWindowHost : public AccountPanel {
public:
    AccountWindowHost(AccountStore& store, AppState& state, Dialogs& dialogs,
                      AccountWindow::AccountNameReader readAccountName,
                      AccountWindow::AccountNameWriter setAccountName, QWidget* owner);
    ~AccountWindowHost() override;
    AccountWindowHost(const AccountWindowHost&) = delete;
    AccountWindowHost& operator=(const AccountWindowHost&) = delete;

    // The language texts for the window, kept for every window created later
    // and applied to the current one at once.
    void setTexts(std::span<const TextAssignment> texts) override;

    // Start-up loads the window hidden; its load step does nothing then.
    // Building its widgets waits for the window's first use, which then
    // skips the load step that already ran.
    void loadHiddenAtStartup() override;

    // The window; creating it runs its load step, which shows it when
    // start-up is complete.
    AccountWindow& window();
    // The window if it exists; null before the first use and after its close box.
    AccountWindow* existingWindow() const { return window_.data(); }

    // The account menu (maccmanage): seeds slot 1 of the store from the
    // account name and the CD keys read from settings.cfg when accounts.cfg
    // does not exist, fills the window from the store, selects by account
    // name and shows the window.
    void open(const QString& fileCdKey, const QString& fileCdKey2) override;

    // The keys the settings file gets from the window, stored back into the
    // store's lines; none when no slot is selected. Like any use of the
    // window, this creates it again (shown, selected by account name) when
    // its close box was used.
    std::optional<AccountCdKeys> takeSelectedKeysForSettings() override;

private:
    AccountStore& store_;
    AppState& state_;
    Dialogs& dialogs_;
    AccountWindow::AccountNameReader readAccountName_;
    AccountWindow::AccountNameWriter setAccountName_;
    QPointer<QWidget> owner_;
    std::vector<TextAssignment> texts_;
    QPointer<AccountWindow> window_;
    bool loadStepDone_ = false;
};

} // namespace quillset::ui
