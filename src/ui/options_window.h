#pragma once
// The Options window (Form1): a view of the editor. It builds every control
// from the control catalogue, shows the editor's values and state, and hands
// the user's edits and commands to the editor, which decides everything.

#include "editor/editor.h"
#include "ui/window_builder.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <span>

class QAction;
class QMenu;

namespace quillset {
class Registry;
}

namespace quillset::ui {

class AboutWindow;
class AccountWindowHost;

class OptionsWindow : public QMainWindow, public EditorView {
    Q_OBJECT

public:
    // The window is created with its design texts and values, and with its
    // editor; editor().start() runs the start-up. state and dialogs must
    // outlive the window.
    OptionsWindow(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~OptionsWindow() override;

    Editor& editor() { return *editor_; }
    // Where start-up looks for the game's folder; must outlive the window.
    void setRegistry(Registry& registry) { editor_->setRegistry(&registry); }

    // The About window (menu mabout).
    void showAbout();

    // --- Access ----------------------------------------------------------
    // A control, frame or panel by its object name; null when there is none.
    QWidget* control(QStringView name) const;
    template <class W> W* control(QStringView name) const {
        return qobject_cast<W*>(control(name));
    }
    QMenu* menu(QStringView name) const;
    QAction* menuItem(QStringView name) const;
    AccountWindowHost& accounts() { return *accounts_; }
    // Null until mabout first shows it, and again after its close box.
    AboutWindow* aboutWindow() const;

    // --- EditorView ------------------------------------------------------
    void showValues(const SettingsModel& values) override;
    void showTitle(const QString& title) override;
    void showAdvancedMode(bool advanced) override;
    void showVolumeControlsEnabled(bool enabled) override;
    void showVisualStyleItem(MenuItemState state) override;
    void showVisualStyleChecked(bool checked) override;
    void showTexts(std::span<const TextAssignment> texts) override;
    void showHeading(const QString& text) override;
    void showWindow() override;
    void closeProgram() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectEdits();
    void connectCommands();
    // A control's edit goes to the editor, unless the window is only showing
    // the editor's values.
    void reportEdit(int row, const QVariant& value);

    WindowParts parts_;
    std::unique_ptr<Editor> editor_;
    std::unique_ptr<AccountWindowHost> accounts_;
    QPointer<AboutWindow> about_;
    bool showingValues_ = false;
    bool closing_ = false;
};

} // namespace quillset::ui
