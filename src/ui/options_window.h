#pragma once
// The Options window: a view of the editor. It builds every control from the
// control catalogue, shows the editor's values and state, and hands the
// user's edits and commands to the editor, which decides everything.

#include "editor/editor.h"
#include "lang/language_catalogue.h"
#include "ui/window_builder.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <span>

class QAction;
class QMenu;

namespace quillset::ui {

class AboutWindow;
class AccountWindowHost;

class OptionsWindow : public QMainWindow, public EditorView {
    Q_OBJECT

public:
    // The window is created with its design texts and values. It shows the
    // editor once the editor has it as its view (Editor::setView, with
    // accountPanel()); the editor must outlive the window.
    explicit OptionsWindow(Editor& editor, QWidget* parent = nullptr);
    ~OptionsWindow() override;

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
    // The Account window as the editor's account panel.
    AccountWindowHost& accountPanel() { return *accounts_; }

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
    Editor& editor_;
    std::unique_ptr<AccountWindowHost> accounts_;
    QPointer<AboutWindow> about_;
    bool showingValues_ = false;
    bool closing_ = false;
};

} // namespace quillset::ui
