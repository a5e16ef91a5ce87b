#include "editor/menu_commands.h"

#include "editor/account_session.h"
#include "editor/backup_command.h"
#include "editor/settings_session.h"
#include "settings/standard_settings.h"
#include "shell/visual_style.h"

#include <QDir>

namespace quillset {

void MenuCommands::applyStandardSettings() {
    if (!context_.confirm(context_.text(kept::standardSettingsQuestion),
                          Dialogs::Buttons::OkCancel))
        return;
    settings_.clearValues();
    const LanguageTable& texts = context_.language().table;
    for (const StandardValue& value : standardSettings()) {
        const int row = value.row;
        if (value.guiEntry > 0)
            settings_.setText(row, texts.text(QStringLiteral("GUI"), value.guiEntry));
        else if (value.text)
            settings_.setText(row, QLatin1String(value.text));
        else
            settings_.setNumber(row, value.number);
    }
    settings_.showValues();
}

void MenuCommands::backUp() {
    backup_.run(context_.isAdvancedMode());
}

void MenuCommands::manageAccounts() {
    accounts_.manage();
}

void MenuCommands::toggleAdvancedMode() {
    context_.setAdvancedMode(!context_.isAdvancedMode());
    context_.view().showAdvancedMode(context_.isAdvancedMode());
}

void MenuCommands::showVisualStyleItem() {
    const MenuItemState item = visualStyleItemState(context_.programDir(), context_.choices());
    // A disabled item keeps its design check mark.
    if (item != MenuItemState::Disabled)
        visualStyleChecked_ = item == MenuItemState::Checked;
    context_.view().showVisualStyleItem(item);
}

void MenuCommands::switchVisualStyle() {
    const ManifestPaths paths = ManifestPaths::in(context_.programDir());
    const auto native = [](const QString& path) { return QDir::toNativeSeparators(path); };
    const StyleSwitch done =
        quillset::switchVisualStyle(context_.programDir(), context_.choices(), visualStyleChecked_);
    switch (done.result) {
    case SwitchResult::Switched:
        context_.tell(QStringLiteral("Please restart the program!"));
        visualStyleChecked_ = !visualStyleChecked_;
        context_.view().showVisualStyleChecked(visualStyleChecked_);
        break;
    case SwitchResult::Missing:
        break;
    case SwitchResult::BothExist:
        context_.tell(context_.text(kept::styleBothExistNotice)
                          .arg(native(paths.active), native(paths.parked)));
        break;
    case SwitchResult::RenameFailed:
        context_.tell(context_.text(kept::styleRenameFailedNotice).arg(native(done.file)));
        break;
    case SwitchResult::NotKept:
        context_.tell(context_.text(kept::styleNotKeptNotice).arg(native(done.file), done.reason));
        break;
    }
}

} // namespace quillset
