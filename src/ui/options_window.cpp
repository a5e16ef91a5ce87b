#include "ui/options_window.h"

#include "ui/about_window.h"
#include "ui/account_window.h"
#include "ui/settings_binding.h"
#include "ui/text_box.h"
#include "ui/widget_text.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace quillset::ui {

OptionsWindow::OptionsWindow(Editor& editor, QWidget* parent)
    : QMainWindow(parent), editor_(editor) {
    setObjectName(fromCatalogue(kOptionsWindowName));
    setWindowTitle(programTitle());
    setFont(optionsWindowFont(font()));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    const TwipScale scale = TwipScale::forWidget(this);
    client->setFixedSize(scale.pixels(kClientWidthTwips), scale.pixels(kClientHeightTwips));
    setCentralWidget(client);
    buildControls(client, scale, parts_);
    buildMenus(menuBar(), parts_);
    // The window has the client area's size plus the menu bar, and no more.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connectEdits();
    connectCommands();

    accounts_ = std::make_unique<AccountWindowHost>(editor_.accounts(), this);
}

OptionsWindow::~OptionsWindow() = default;

// ---------------------------------------------------------------------------
// Access

QWidget* OptionsWindow::control(QStringView name) const {
    return parts_.controls.value(name.toString());
}

QMenu* OptionsWindow::menu(QStringView name) const {
    return parts_.menus.value(name.toString());
}

QAction* OptionsWindow::menuItem(QStringView name) const {
    return parts_.menuItems.value(name.toString());
}

void OptionsWindow::showAbout() {
    if (!about_)
        about_ = new AboutWindow(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

// ---------------------------------------------------------------------------
// The user's edits and commands

void OptionsWindow::reportEdit(int row, const QVariant& value) {
    if (showingValues_)
        return;
    SettingsSession& settings = editor_.settings();
    if (keyCatalogue()[row].kind == KeyKind::Text)
        settings.setText(row, value.toString());
    else
        settings.setNumber(row, value.toInt());
}

void OptionsWindow::connectEdits() {
    for (int row = 0; row < kKeyCount; ++row) {
        QWidget* control = boundControl(parts_.controls, row);
        if (!control)
            continue;
        // A slider shows its value as its tooltip, whoever moved it.
        const bool showsValue = keyCatalogue()[row].showsValueAsToolTip();
        onUserPropertyChanged(control, this, [this, row, control, showsValue] {
            const QVariant value = controlValue(control);
            if (showsValue)
                control->setToolTip(signedNumber(value.toInt()));
            reportEdit(row, value);
        });
    }
}

void OptionsWindow::connectCommands() {
    Editor& e = editor_;
    // Each button and menu item, and the command it runs.
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"oeffnen", [&e] { e.files().open(); }},
        {"speichern", [&e] { e.files().save(); }},
        {"exitbtn", [&e] { e.files().exit(); }},
        {"mopen", [&e] { e.files().open(); }},
        {"mSave", [&e] { e.files().save(); }},
        {"mquit", [&e] { e.files().exit(); }},
        {"mcreate_standard_cfg", [&e] { e.menu().applyStandardSettings(); }},
        {"mcreate_backup", [&e] { e.menu().backUp(); }},
        {"maccmanage", [&e] { e.menu().manageAccounts(); }},
        {"use_xp_style", [&e] { e.menu().switchVisualStyle(); }},
        {"madvanced", [&e] { e.menu().toggleAdvancedMode(); }},
        {"mabout", [this] { showAbout(); }},
    };
    for (const auto& [name, command] : commands) {
        if (auto* button = control<QPushButton>(QString::fromLatin1(name))) {
            connect(button, &QPushButton::clicked, this, command);
            continue;
        }
        QAction* item = menuItem(QString::fromLatin1(name));
        Q_ASSERT_X(item, "connectCommands", "every command has its button or menu item");
        // Qt flips a check-mark item before it reports the click; here the
        // editor owns the mark, so the flip is undone first.
        connect(item, &QAction::triggered, this, [item, command](bool checked) {
            if (item->isCheckable())
                item->setChecked(!checked);
            command();
        });
    }
}

// ---------------------------------------------------------------------------
// What the editor shows

void OptionsWindow::showValues(const SettingsModel& values) {
    showingValues_ = true;
    applyToControls(values, parts_.controls);
    showingValues_ = false;
}

void OptionsWindow::showTitle(const QString& title) {
    setWindowTitle(title);
}

void OptionsWindow::showAdvancedMode(bool advanced) {
    for (std::string_view name : advancedGroup())
        control(fromCatalogue(name))->setEnabled(advanced);
    menuItem(u"madvanced")->setChecked(advanced);
}

void OptionsWindow::showVolumeControlsEnabled(bool enabled) {
    for (std::string_view name : volumeGroup())
        control(fromCatalogue(name))->setEnabled(enabled);
}

void OptionsWindow::showVisualStyleItem(MenuItemState state) {
    QAction* item = menuItem(u"use_xp_style");
    switch (state) {
    case MenuItemState::Checked:
        item->setChecked(true);
        break;
    case MenuItemState::Unchecked:
        item->setChecked(false);
        break;
    case MenuItemState::Disabled:
        // Keeps its design check mark, greyed out.
        item->setEnabled(false);
        break;
    }
}

void OptionsWindow::showVisualStyleChecked(bool checked) {
    menuItem(u"use_xp_style")->setChecked(checked);
}

void OptionsWindow::showTexts(std::span<const TextAssignment> texts) {
    applyTexts(texts, objectName(), [this](const TextAssignment& text) -> QObject* {
        if (QWidget* target = control(text.control))
            return target;
        if (QMenu* target = menu(text.control))
            return target;
        return menuItem(text.control);
    });
}

void OptionsWindow::showHeading(const QString& text) {
    setCaption(control(u"Label10"), text);
}

void OptionsWindow::showWindow() {
    show();
}

void OptionsWindow::closeProgram() {
    closing_ = true;
    if (about_)
        about_->hide();
    // exit(), not quit(): quit() would send close events to every window and
    // ask the exit question a second time.
    QCoreApplication::exit(0);
}

void OptionsWindow::closeEvent(QCloseEvent* event) {
    // The close box ends the program like the Exit button, and cannot be refused.
    if (!closing_)
        editor_.files().exit();
    event->accept();
}

} // namespace quillset::ui
